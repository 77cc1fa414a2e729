// The media layer: every drawing, image, font, sound, input, timing, random, text, list and file
// operation that the engine and the game call. Plain functions over global "current" state, in the
// manner of an immediate-mode 2D sprite renderer.
//
// Objects (images, fonts, sounds, pixmaps, file streams) are small positive integer handles from
// one handle table; 0 means "no object". Every call tolerates 0 and stale handles: it does
// nothing and answers 0 / empty.
//
// Back ends are chosen at run time: MediaInit(MEDIA_REAL) uses SDL2 (window, input, joysticks,
// clock), one of three drawing back ends (display choices 0 "OpenGL", 1 "DX9", 2 "DX7") and the
// audio drivers; MediaInit(MEDIA_HEADLESS) uses the test back end of media/headless.h: a fake
// clock that sleeping advances, scripted input per frame, and a record of every draw and sound
// call. No other code includes SDL, GL, AL, FreeType or libpng headers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Start-up and process
// ---------------------------------------------------------------------------------------------
enum MediaBackend { MEDIA_REAL = 0, MEDIA_HEADLESS = 1 };

// Initialises the chosen back ends. Safe to call again: it shuts the previous ones down first.
void MediaInit(MediaBackend backend);
// Closes the display, the audio and every object; the handle table is emptied.
void MediaShutdown();
MediaBackend MediaBackendInUse();

// Ends the process with an exit code. Goes through the end hook when one is set (tests install
// one that throws or records); without a hook it shuts the media layer down and calls exit().
[[noreturn]] void EndProcess(int code);
using EndHook = void (*)(int code);
void SetEndHook(EndHook hook);

// Memory statistics for the debug overlay: a collection pass reports how many objects it
// released (0 when nothing was pending); MemoryInUse is the bytes held by media objects.
int CollectMemory();
int64_t MemoryInUse();

// ---------------------------------------------------------------------------------------------
// Display
// ---------------------------------------------------------------------------------------------
struct DisplayMode {
  int w = 0, h = 0, depth = 0, hz = 0;
};
// The modes the platform reports, in its order (the same size may appear at several depths).
std::vector<DisplayMode> ListDisplayModes();
// hz 0 matches any refresh rate.
bool DisplayModeExists(int w, int h, int depth, int hz);
// The mode the desktop runs at now; all zero when it cannot be known.
DisplayMode DesktopMode();

// Display choices: 0 "OpenGL" (own batched GL 3.3 renderer), 1 "DX9" (SDL_Renderer, accelerated),
// 2 "DX7" (SDL_Renderer, software). Takes effect at the next OpenDisplay.
enum DisplayChoice { DISPLAY_OPENGL = 0, DISPLAY_DX9 = 1, DISPLAY_DX7 = 2 };
void SelectDisplayDriver(int choice);
int DisplayDriverInUse();

// depth 0 opens a window; DEPTH_DESKTOP a full-screen window over the desktop at the desktop's own
// mode (no mode change; w and h must be DesktopMode's size); any other depth asks for full screen
// at that exact mode. Returns false (no display) when the platform refuses. Opening resets the
// virtual resolution to the real size.
constexpr int DEPTH_DESKTOP = -1;
bool OpenDisplay(int w, int h, int depth, int hz);
void CloseDisplay();
bool DisplayIsOpen();
// False when the host has no display to show a window on at all (no display server reachable).
bool DisplayServerAvailable();
void SetCaption(const std::string& caption);
int RealWidth();   // size of the open display in pixels (0 when closed)
int RealHeight();

// All drawing coordinates are logical: scaled to the real display by real / logical per axis.
void SetVirtualResolution(int w, int h);
int VirtualWidth();
int VirtualHeight();

// Presents the back buffer. sync 0: no vertical sync; -1: the platform's default. Also pumps events.
void Flip(int sync);
void SetClearColour(int r, int g, int b);
void ClearScreen();

// ---------------------------------------------------------------------------------------------
// Drawing state (global, persistent until changed)
// ---------------------------------------------------------------------------------------------
enum BlendMode { BLEND_MASK = 1, BLEND_SOLID = 2, BLEND_ALPHA = 3, BLEND_LIGHT = 4, BLEND_SHADE = 5 };

void SetColour(int r, int g, int b);  // each clamped to 0..255
void GetColour(int& r, int& g, int& b);
void SetAlpha(float a);  // clamped to 0..1
float GetAlpha();
void SetBlend(int mode);  // one of BlendMode; other values are ignored
int GetBlend();
void SetRotation(float degrees);
float GetRotation();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);

// ---------------------------------------------------------------------------------------------
// Images
// ---------------------------------------------------------------------------------------------
enum ImageFlags { IMAGE_MASKED = 1, IMAGE_FILTERED = 2, IMAGE_MIPMAPPED = 4 };

// A whole PNG as one frame. Returns 0 when the file is missing, damaged or absurdly large.
int LoadImage(const std::string& path, int flags);
// An animation strip: cells of cw x ch read left to right, top to bottom, from cell `first`,
// `count` cells. 0 when the file cannot be read or holds fewer cells.
int LoadAnimImage(const std::string& path, int cw, int ch, int first, int count, int flags);
// A single-frame image whose pixels stay readable (LockImage / ReadPixel).
int LoadPixelImage(const std::string& path);
// An empty image (transparent black) of `frames` frames of w x h, to be drawn into with GrabImage.
int CreateImage(int w, int h, int frames, int flags);
void FreeImage(int image);

int ImageWidth(int image);  // one frame, unscaled
int ImageHeight(int image);
int ImageFrames(int image);
// The handle point is placed at the drawing position; rotation and scale act about it.
void SetImageHandle(int image, float x, float y);
// When on, images created from now on get their handle at the centre of the frame.
void AutoMidHandle(bool on);

// Frame `frame` with its handle at (x, y), turned and scaled about the handle.
void DrawImage(int image, float x, float y, int frame);
// Filled, turned and scaled about its top-left corner (x, y).
void DrawRect(float x, float y, float w, float h);
// One real pixel wide, in the current colour, alpha and blend; rotation and scale do not apply.
void DrawLine(float x1, float y1, float x2, float y2);

// Copies the back buffer at logical (x, y), the image's frame size, into a frame of the image.
void GrabImage(int image, int x, int y, int frame);

// Readable pixels: LockImage gives a pixmap of frame 0 (0 if the image was not loaded readable).
int LockImage(int image);
void UnlockImage(int image);

// ---------------------------------------------------------------------------------------------
// Pixmaps (pictures in memory)
// ---------------------------------------------------------------------------------------------
// Grabs a rectangle of the back buffer, in real pixels, as it will be presented.
int GrabPixmap(int x, int y, int w, int h);
int PixmapWidth(int pixmap);
int PixmapHeight(int pixmap);
uint32_t ReadPixel(int pixmap, int x, int y);  // ARGB: alpha in the top byte; 0 outside
// Writes a PNG at zlib level 0..9 (atomically: temporary file, then rename). 1 success, 0 failure.
int SavePixmapPNG(int pixmap, const std::string& path, int level);
void FreePixmap(int pixmap);

// ---------------------------------------------------------------------------------------------
// Fonts and text drawing
// ---------------------------------------------------------------------------------------------
enum FontStyle { FONT_BOLD = 1, FONT_ITALIC = 2, FONT_SMOOTH = 4 };

// A TrueType font at a pixel size. 0 when the file is missing or not a font.
int LoadFont(const std::string& path, int size, int style);
void FreeFont(int font);
// 0 selects the built-in default font.
void SetFont(int font);
int GetFont();
// Top-left of the text at (x, y), in the current font, colour, alpha, blend, rotation, scale.
void DrawText(const std::string& text, float x, float y);
int TextWidth(const std::string& text);  // unscaled
int TextHeight(const std::string& text);  // the current font's line height, unscaled

// ---------------------------------------------------------------------------------------------
// Sound
// ---------------------------------------------------------------------------------------------
// Drivers, in this order: "OpenAL" (OpenAL Soft) and "FreeAudio SDL" (our own mixer on SDL
// audio). Both are always listed, with or without a sound device. Until one is selected, the
// first that opens a device plays; with no device the layer runs silent (AudioDriverInUse() is
// ""), yet channels still keep their state and time. On the headless back end selecting either
// name succeeds and runs silent on the fake clock.
std::vector<std::string> AudioDriverList();
bool AudioDriverExists(const std::string& name);  // exact, case-sensitive match
// Closes the driver in use and opens the named one; false (and silent) when it finds no device
// or the name is unknown. Channels of the closed driver become dead handles. Selecting the
// driver already in use changes nothing.
bool SelectAudioDriver(const std::string& name);
std::string AudioDriverInUse();
// True when OpenAL can open an output device on this machine (OpenAL Soft's "No Output" device
// does not count). False on the headless back end unless HeadlessSetOpenALInstalled says so.
bool OpenALInstalled();

enum SoundFlags { SOUND_LOOP = 1 };
// 8- or 16-bit PCM WAV, mono or stereo; 0 when missing, damaged or another format.
int LoadSound(const std::string& path, int flags);
void FreeSound(int sound);  // stops every channel playing it

// Every image, font or sound that a load could not make (missing, damaged or too large) is passed
// by its path to this hook, so that the engine can name it in its log; none at start.
using LoadFailHook = void (*)(const std::string& path);
void SetLoadFailHook(LoadFailHook hook);
// Passes `path` to that hook and gives 0, the handle of a failed load; readers of the game's own
// files (songs) call it too.
int LoadFailed(const std::string& path);

// Channels are handles too. Every call is safe with 0, stale handles and no audio device. A
// channel plays one sound at a time (a new one replaces it) and keeps its volume, pan and rate
// for the sounds played on it after.
int AllocChannel();
// Readies a channel held in a slot for its next sound, so a slot never needs more than one
// handle: a live channel is stopped when it still plays (our mixer fades it out over a few ms)
// and given back; 0, a stale handle or a dead channel (of a closed driver) is released and
// replaced by a new channel.
int ReuseChannel(int channel);
// Plays on `channel` when given (non-zero), else on a new channel. Returns the channel used;
// 0 when the sound or the given channel is not valid.
int PlaySound(int sound, int channel = 0);
// Queues the sound paused on the channel (a new one when 0), so its settings come first;
// ResumeChannel starts it.
int CueSound(int sound, int channel = 0);
void StopChannel(int channel);
// As ResumeChannel and StopChannel, for a sound that belongs to the moment `dueMs` on Millis()
// (a step of the music, noticed up to a frame late). Our mixer places it at that moment plus a
// fixed latency, to the sample, so steps keep even time whatever the frame rate; OpenAL and the
// silent driver act at once.
void ResumeChannelAt(int channel, int dueMs);
void StopChannelAt(int channel, int dueMs);
// Stops the channel (fading out as a stop does) and gives its handle back: for a slot that is
// emptied, so that no handle is left behind.
void FreeChannel(int channel);
// Pausing and resuming a channel that is heard fade it out and in over a few ms (no click).
void PauseChannel(int channel);
void ResumeChannel(int channel);
// Values are clamped to their ranges; NaN is ignored.
void SetChannelVolume(int channel, float volume);  // 0..1
// -1 left .. 1 right. Mono sounds pan with equal power (-3 dB per side at the centre); stereo
// sounds are balanced linearly (our mixer; OpenAL leaves stereo sounds unpanned).
void SetChannelPan(int channel, float pan);
void SetChannelRate(int channel, float rate);  // speed and pitch; 1 = recorded, 1/64..64
// True from the start until the sound has been played to its end (its duration divided by the
// rate, paused time not counting), never ending for a looping sound until stopped. A paused or
// cued channel is playing.
bool ChannelPlaying(int channel);

// ---------------------------------------------------------------------------------------------
// Input (polled; the event pump runs at each Flip and each PollSystem)
// ---------------------------------------------------------------------------------------------
// Key codes: the virtual-key numbering (8 Backspace, 9 Tab, 13 Return, 27 Escape, 32 Space,
// 37-40 arrows, 48-57 digits, 65-90 letters, 112-123 F1-F12, 164/165 left/right Alt, ...).
// The keys the engine itself answers, by name:
constexpr int KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_RETURN = 13, KEY_ESCAPE = 27, KEY_SPACE = 32;
constexpr int KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40;
constexpr int KEY_B = 66, KEY_M = 77, KEY_N = 78, KEY_P = 80, KEY_Q = 81, KEY_R = 82;
constexpr int KEY_F1 = 112, KEY_F4 = 115, KEY_F7 = 118, KEY_F11 = 122, KEY_F12 = 123, KEY_LALT = 164, KEY_RALT = 165;
void PollSystem();
bool KeyDown(int key);
int KeyHit(int key);  // presses since the last KeyHit of that key; clears the count
int GetChar();        // next typed character, 0 when the queue is empty
void FlushKeys();     // held keys, hit counts and the character queue
void FlushMouse();

// Mouse buttons 1 left, 2 right, 3 middle.
bool MouseDown(int button);
int MouseHit(int button);
int MouseX();  // real pixels
int MouseY();
float VirtualMouseX();  // logical units: real x * logical width / real width
float VirtualMouseY();
void MoveMouse(int x, int y);  // real pixels
void ShowPointer();
void HidePointer();

// Joysticks, ports 0 .. JoyCount() - 1.
int JoyCount();
float JoyX(int port);  // axes -1..1
float JoyY(int port);
float JoyZ(int port);
float JoyR(int port);
float JoyU(int port);
float JoyV(int port);
float JoyHat(int port);  // fraction of a turn clockwise from up; -1 when centred
bool JoyDown(int button, int port);
int JoyButtonCaps(int port);  // (1 << buttons) - 1
std::string JoyName(int port);

// True once for each time the user asked to close the window; reading clears it. Also true, every
// time it is read, once a terminate signal (SIGTERM, SIGINT, SIGHUP) has arrived.
bool AppTerminate();
// A terminate signal arrived: the program must save and end without waiting for input.
bool TerminateSignalled();

// ---------------------------------------------------------------------------------------------
// Timing, date and time
// ---------------------------------------------------------------------------------------------
int Millis();  // milliseconds from an arbitrary start, wrapping as a signed 32-bit number
// Readings of the wrapping clock are compared and moved on only through these two, which stay
// right across the wrap while the readings are less than 24 days apart.
// Milliseconds from `from` to `to`: negative when `to` comes first.
constexpr int MsBetween(int from, int to) { return static_cast<int>(static_cast<uint32_t>(to) - static_cast<uint32_t>(from)); }
// The reading `ms` milliseconds after `t`.
constexpr int MsLater(int t, int ms) { return static_cast<int>(static_cast<uint32_t>(t) + static_cast<uint32_t>(ms)); }
void Delay(int ms);
std::string CurrentDate();  // "%d %b %Y"
std::string CurrentTime();  // "%H:%M:%S"

// ---------------------------------------------------------------------------------------------
// Random numbers: one seedable minimal-standard generator (the music depends on its sequence)
// ---------------------------------------------------------------------------------------------
void SeedRnd(int seed);
int RndSeed();  // the current state
double RndUnit();  // [0, 1)
double Rnd(double a, double b);
int Rand(int lo, int hi);  // either order, both inclusive
// A generator of the same kind with a sequence of its own, so that one user's draws never shift
// another's (the music owns the one above).
struct RandomStream {
  int32_t state = 4660;
};
void SeedStream(RandomStream& r, int seed);
double StreamRnd(RandomStream& r, double a, double b);
int StreamRand(RandomStream& r, int lo, int hi);  // either order, both inclusive

// ---------------------------------------------------------------------------------------------
// Trigonometry in degrees
// ---------------------------------------------------------------------------------------------
double SinDeg(double deg);
double CosDeg(double deg);
double TanDeg(double deg);
double ASinDeg(double v);
double ACosDeg(double v);
double ATanDeg(double v);
double ATan2Deg(double y, double x);

// ---------------------------------------------------------------------------------------------
// Text (positions count from 1)
// ---------------------------------------------------------------------------------------------
std::string Trim(const std::string& s);  // drops characters below code 33 at both ends
std::string Upper(const std::string& s);
std::string Lower(const std::string& s);
std::string Left(const std::string& s, int n);
std::string Right(const std::string& s, int n);
std::string Mid(const std::string& s, int pos, int n = -1);  // n < 0: to the end
int Find(const std::string& s, const std::string& sub, int start = 1);  // 0 when absent
std::string Replace(const std::string& s, const std::string& from, const std::string& to);
// Leading blanks, optional sign, decimal digits to the first other character; no digits gives 0.
// Values beyond the type's range are clamped.
int ToInt(const std::string& s);
int64_t ToLong(const std::string& s);
std::string IntText(int64_t n);

// ---------------------------------------------------------------------------------------------
// Files and folders
// ---------------------------------------------------------------------------------------------
enum PathType { PATH_NONE = 0, PATH_FILE = 1, PATH_FOLDER = 2 };

int OpenRead(const std::string& path);  // 0 when missing
// Creates (empties) a file and writes straight into it; every line is flushed (the log).
int OpenWrite(const std::string& path);
// Writes into a temporary file beside `path`; CloseFile renames it over `path`, so a crash or
// kill at any moment leaves the old or the new file, never a truncated one.
int OpenReplace(const std::string& path);
// Bytes up to a line feed, the end or a zero byte; every carriage return dropped.
std::string ReadLine(int stream);
// The same, keeping only the first `maxKept` bytes of a long line (the rest is read and dropped).
std::string ReadLine(int stream, size_t maxKept);
// The text, then a carriage return and a line feed.
void WriteLine(int stream, const std::string& text);
// True at the end of a reading stream, and for 0, stale and writing streams, so read loops end.
bool Eof(int stream);
// Returns false when a write or the final rename failed.
bool CloseFile(int stream);

int FileType(const std::string& path);
bool DeleteFile(const std::string& path);
// The size in bytes of a plain file; -1 for anything else (missing, a folder, a FIFO).
int64_t FileSize(const std::string& path);
// Renames a file within its file system, never over another one: false when `to` exists or the
// rename fails.
bool RenameFile(const std::string& from, const std::string& to);
std::string CurrentDir();  // absolute, without a trailing slash
bool ChangeDir(const std::string& path);
std::vector<std::string> ReadDir(const std::string& path);  // sorted; no "." or ".."
// The folder that holds the running program (the game makes it current first).
std::string AppDir();
// Creates the folder and any missing parents, private to the user (0700); true when it exists.
bool MakeFolders(const std::string& path);
// True when the user may create and replace files in the folder.
bool FolderWritable(const std::string& path);
// The user's home folder: $HOME, else the password database's entry; "" when neither knows it.
std::string HomeFolder();
