// The entry: start-up, then the title loop.
int main() { return 0; }
