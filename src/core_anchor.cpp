// Keeps the core library non-empty while subsystems are added one file at a time.
namespace core_anchor {
int Anchor() { return 0; }
}  // namespace core_anchor
