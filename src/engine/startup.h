// The order in which the engine comes up, from the log header to the first title frame.
#pragma once

// The media layer is initialised and the program's own folder is current. Ends with the display
// open, every asset loaded, "Finished Loading" logged and at least 2.5 s of start-up screen.
void StartUp();
// Lets the frame layer start the closing sequence and save Setup.ini (StartUp calls it first).
void InstallEngineHooks();
// Fills CreditLines and CreditCount.
void FillCredits();
