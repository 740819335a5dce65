#pragma once
// Writes the demo data into a game folder: labelled picture sheets and generated
// sounds, each noted for the manifest ("manifest.txt": one line per file with its game
// path, its size in bytes and, for pictures, its size and grid).  Nothing is written
// below the folder's save\ subfolder.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/kit/Sheet.h"

class CAdvScriptBuilder;

namespace demo {

struct SDemoFile {
    std::string path;  // game path
    size_t bytes = 0;
    std::string note;  // "800x600 grid 1x1" for a picture, "sound 1500 ms" for a sound
};

class CDemoWriter {
public:
    // `folder` is native and ends in '/'.
    explicit CDemoWriter(std::string folder) : m_Folder(std::move(folder)) {}

    bool Sheet(const kit::SSheetSpec& spec);
    // A picture the stage shows on a layer, and its copy at a quarter of the size under
    // "obj\small\" that a save's thumbnail draws in its place.
    bool StageSheet(const kit::SSheetSpec& spec);
    // A 24-bit BMP of A8R8G8B8 pixels made by other means than a sheet (a rule picture).
    bool Picture(const std::string& path, const std::vector<uint32_t>& argb, int32_t width, int32_t height);
    // A sound of `ms` milliseconds from a seed: Ogg Vorbis when the build can encode
    // it, else a WAVE under the same name (the decoders go by the first bytes).
    bool Sound(const std::string& path, uint32_t seed, uint32_t ms);
    // A text table, lines ended by "\r\n": Shift-JIS, as the literals of the sources are.
    bool Text(const std::string& path, const std::vector<std::string>& lines);
    // A compiled scenario script under its game path ("scr\\demo\\ev_101.txt").
    bool Script(const std::string& path, CAdvScriptBuilder& script);
    // The demo movie "mov.pak" (MPEG-1 with MP2 sound) of `seconds` seconds.
    bool Movie(int seconds);
    // Packs the top folder `top` ("scr") into "<top>.pak" and removes the folder; the
    // manifest keeps its files and notes the archive.
    bool Pack(const std::string& top);
    // A sound of the given 44.1 kHz stereo samples, written the same way.
    bool Sound(const std::string& path, const std::vector<int16_t>& stereo);
    // A text table written as given (Shift-JIS when the literal came from the sources).
    bool WholeText(const std::string& path, const std::string& text);
    bool WriteManifest();

    const std::string& Folder() const { return m_Folder; }
    const std::vector<SDemoFile>& Files() const { return m_Files; }
    const std::vector<kit::SSheetSpec>& Sheets() const { return m_Sheets; }
    // False once any file could not be written.
    bool Ok() const { return m_Ok; }

private:
    bool _Write(const std::string& path, const std::vector<uint8_t>& bytes, std::string note);

    std::string m_Folder;
    std::vector<SDemoFile> m_Files;
    std::vector<kit::SSheetSpec> m_Sheets;
    bool m_Ok = true;
};

// A sheet whose cells are see-through (`argb`) inside a border of `border` pixels: a frame
// that lets what is drawn under it show.  Grid lines and labels stay.
kit::SSheetSpec FrameSheet(const std::string& name, int32_t width, int32_t height, int32_t columns, int32_t rows,
                           int32_t border, uint32_t argb = 0x00000000u);
// A sheet whose cells show nothing but their grid lines and labels: the art of digits
// and small marks is a shape on a transparent ground, so that what lies under them shows
// round the shape.
kit::SSheetSpec GlyphSheet(const std::string& name, int32_t width, int32_t height, int32_t columns, int32_t rows);

// The top folders written as archives; the others stay folders.
inline constexpr const char* kPackedFolders[] = {"scr", "voice", "hint_voice", "bgm"};

// The screen groups, one source file each.
// The channel sounds, the wide background and the panels shared by many screens.
void WriteSharedData(CDemoWriter& out);
// Boot, the logos, the opening and the title menu.
void WriteBootTitleData(CDemoWriter& out);
// The settings menu and its pages, with their test sounds.
void WriteSettingsData(CDemoWriter& out);
// The names of the voice page's sixteen rows: the speakers' file prefixes (switch j
// serves the voices "voice\<prefix>_..." that ClassifyVoiceName maps to j), each with
// the name of the one who speaks them: the demo's cast (Lux, Mel and Pal speak in its
// events, Rosana in the shop, Cura, Mara, Pyria and Tara in the logos, the sound page's
// tests and the hints; the others have no voice in the demo); the last row every other
// voice.
inline constexpr const char* kVoiceCaptions[16] = {
    "Lu Lux",  "Me Mel",    "Cu Cura", "Pa Pal",  "Ma Mara",  "Pk Pikone", "Sa Sana", "Py Pyria",
    "Ta Tara", "Ro Rosana", "Fa Fana", "Wa Wanda", "Mu Muna", "Na Nana",   "Ig Igor", "Everyone else"};

// The four friends by index: the names the game gives them (the help lines of the
// mansion menu, as the menu fills in its own; the speakers of their events), and the
// words of the demo's pictures, in the kit's capitals (their figures, the friend list).
struct SFriendName {
    const char* name;  // Shift-JIS
    const char* word;  // ASCII
};
inline constexpr SFriendName kFriends[4] = {
    {"フェリナ", "Felina"}, {"チャコル", "Chakoru"}, {"ミルテ", "Milte"}, {"ネリサ", "Nerisa"}};

// The save and load screens: titles, page buttons, slot frames, card sheets, the
// overwrite question and the clear-data thumbnail.
void WriteSaveLoadData(CDemoWriter& out);
// The status pages, the guide and the game-over screen.
void WriteStatusGuideData(CDemoWriter& out);
// The picture viewer, its full view and the play view, with their tables.
void WriteViewerData(CDemoWriter& out);
// The music room and the 19 pieces of music ("bgm\\bgm_001.ogg" on), each a short tune
// of `tuneMs` milliseconds.
void WriteMusicRoomData(CDemoWriter& out, uint32_t tuneMs = 4000);
// The mansion menu and the shop: pictures, list panels, ロザナ's voices, help tables.
void WriteMansionMenuData(CDemoWriter& out);

// The date card, the seasonal event screen and the staff roll.
void WriteSeasonData(CDemoWriter& out);
// The monthly work report with its rank card, and the food allowance screen.
void WriteWorkFoodData(CDemoWriter& out);

// The home menu of the raising game: its frame, buttons, information pictures, the
// home list panels, the household's background and the help lines.
void WriteHomeData(CDemoWriter& out);

// The small sheets several screens share (the close button of the hint window and of the
// side panels) are in WriteSharedData.
// The stage's message window, balloons, event panel, selection frame, slide panel, hint
// window and picture mode, with the stage's own sound effects.
void WriteStageData(CDemoWriter& out);
// The month's events: cfg\event.csv, one script per event row, the pictures, music and
// voices they use, the stage's two small tables and the hint tables.
void WriteEventData(CDemoWriter& out);
// The pictures the side actions' and the work report's event scripts show (their rows
// and scripts are written with the month's, EventScripts.h) and the shop's
// introduction script.
void WriteActionEventData(CDemoWriter& out);
// The girl's letters: the letter table, one letter with its picture, voice and script,
// and the letter scene's envelope and paper.
void WriteLetterData(CDemoWriter& out);
// The developer sample scenes' own files: the transition sample's two pictures and its
// rule picture.
void WriteSampleData(CDemoWriter& out);

// Every group and the manifest; false when a file could not be written.  `sheets`, when
// given, receives every picture sheet written (for a test's probe).
bool WriteDemoData(const std::string& folder, std::vector<kit::SSheetSpec>* sheets = nullptr);

}  // namespace demo
