#include "game/core/GameStartup.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/base/CommandLine.h"
#include "engine/base/DebugWindow.h"
#include "engine/base/GameFolder.h"
#include "engine/base/Log.h"
#include "engine/base/Random.h"
#include "engine/base/ScriptToolInterface.h"
#include "engine/base/SingleInstance.h"
#include "engine/base/Thread.h"
#include "engine/soft/blit/BlendTables.h"
#include "engine/soft/screen/gdirenderer/GdiScreenRenderer.h"
#include "game/core/GameApp.h"
#include "game/core/ScriptChooser.h"
#include "platform/sys/Process.h"
#include "platform/window/PlatformVideo.h"

bool IsDeveloperStartScene(int32_t id) { return id >= 26 && id <= 29; }

namespace {

constexpr const char* kProgram = "niwa";
constexpr const char* kGameUsage =
    "usage: niwa [--data FOLDER] [--frames N] [--seed N] [--scene ID] [--movie] [--debug-window] "
    "[viewer [SCRIPT...]]\n";
constexpr const char* kGameOptionsHelp =
    "  --data FOLDER    the game's data folder (default: the program's folder)\n"
    "  --frames N       end after N frames\n"
    "  --seed N         start every random draw from N\n"
    "  --scene ID       open developer scene ID (26 to 29) instead of the boot scene\n"
    "  --movie          play mov.pak alone and end\n"
    "  --debug-window   show the log window\n"
    "  viewer [SCRIPT...]  play scripts on the game's stage\n"
    "exit status: 0 ended as asked, 1 could not start, 2 bad command line,\n"
    "  3 another copy is running, 4 no game data, 5 a save at exit was not written\n";

// The id of a --scene value: the whole text a decimal number of a developer scene; 0 otherwise.
int32_t ParseStartScene(const std::string& text) {
    if (text.empty() || text.size() > 9) return 0;
    char* end = nullptr;
    const long id = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || !IsDeveloperStartScene(static_cast<int32_t>(id))) return 0;
    return static_cast<int32_t>(id);
}

// A whole decimal number no larger than `max` (no sign, no blanks, nothing after it).
bool ParseCount(const std::string& text, unsigned long long max, unsigned long long* out) {
    if (text.empty() || text.size() > 19) return false;
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > max) return false;
    *out = value;
    return true;
}

// What an option needs, and what it was given instead.
std::string BadValue(const std::string& needs, const std::string& given) {
    return given.empty() ? needs : needs + ", not \"" + given + "\"";
}

bool IsOption(const std::string& a) { return a.size() > 1 && a[0] == '-'; }

// A game path as a user of this system spells it.
std::string ShownPath(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

void PrintError(const std::string& text) { std::fprintf(stderr, "%s: %s\n", kProgram, text.c_str()); }

// What the game reads from its data folder: these folders (or their ".pak" archives)
// and the movie.
constexpr const char* kDataFolders[] = {"cfg", "scr", "bg",  "obj", "sc",    "cg",        "chara",
                                        "sys", "bgm", "se",  "voice", "effect", "hint_voice"};
constexpr const char* kMovieArchive = "mov.pak";

// The data the folder lacks, as the log names it ("bgm\, bgm.pak": neither is there).
std::vector<std::string> MissingGameData(const std::string& folder) {
    std::vector<std::string> missing;
    std::error_code ec;
    for (const char* name : kDataFolders) {
        const std::string base = folder + name;
        if (!std::filesystem::is_directory(base, ec) && !std::filesystem::is_regular_file(base + ".pak", ec)) {
            missing.push_back(std::string(name) + "\\, " + name + ".pak");
        }
    }
    if (!std::filesystem::is_regular_file(folder + kMovieArchive, ec)) missing.push_back(kMovieArchive);
    return missing;
}

// The game folder exists and holds some of the game's data: a folder that holds none of
// it is no data folder (a wrong --data), while what a data set lacks is only logged
// (`missing`), since every screen goes on without the files it cannot find.  False with
// the problem told.
bool CheckGameData(bool given, std::string* problem, std::vector<std::string>* missing) {
    const std::string folder = GetGameFolder();
    // Without its '/': a file of that name is then no folder rather than missing.
    const std::string entry = folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder;
    const char* hint = given ? "" : " (give the game's data folder with --data FOLDER)";
    std::error_code ec;
    if (!std::filesystem::exists(entry, ec)) {
        *problem = "the data folder " + folder + " does not exist" + hint;
        return false;
    }
    if (!std::filesystem::is_directory(entry, ec)) {
        *problem = "the data folder " + folder + " is not a folder" + hint;
        return false;
    }
    *missing = MissingGameData(folder);
    if (missing->size() == std::size(kDataFolders) + 1) {
        std::string folders;
        for (const char* name : kDataFolders) folders += std::string(folders.empty() ? "" : ", ") + name;
        *problem = "no game data in " + folder + ": looked for the folders " + folders +
                   " (each also as a .pak archive) and " + kMovieArchive + hint;
        return false;
    }
    return true;
}

// The display check: SDL left to choose found no display (a window would never be seen).
bool RefuseMissingDisplay() {
    if (!PlatformVideoFoundNoDisplay()) return false;
    const char* display = std::getenv("DISPLAY");
    const std::string where = display && *display
                                  ? "DISPLAY is \"" + std::string(display) + "\", where no X server answers"
                                  : "DISPLAY is not set";
    PrintError("no display could be opened (" + where + "); to run without a display, set SDL_VIDEODRIVER=dummy");
    return true;
}

// Why a second copy ends, for whoever started it.
int RefuseStart(const CSingleInstance::SRefusal& refusal) {
    if (refusal.why == CSingleInstance::kCannotCreate) {
        PrintError("cannot make the lock file " + refusal.lockPath + " that keeps a second copy out");
        return kExitStartFailed;
    }
    const std::string holder = refusal.holderPid > 0 ? " (process " + std::to_string(refusal.holderPid) + ")" : "";
    if (refusal.why == CSingleInstance::kFolderInUse) {
        PrintError("another copy of the game is already using the data folder " + GetGameFolder() + holder +
                   "; its lock file is " + refusal.lockPath);
    } else {
        PrintError("another copy of the game is already running" + holder + "; its lock file is " + refusal.lockPath);
    }
    return kExitAlreadyRunning;
}

// The exit line of a run whose saves were not all written: each of them, and where to
// read why.
std::string FailedSavesText(const std::vector<std::string>& failed, bool logWritten) {
    std::string text = "a save at exit could not be written:";
    for (size_t i = 0; i < failed.size(); ++i) text += (i == 0 ? " " : ", ") + GetGameFolder() + ShownPath(failed[i]);
    return text + (logWritten ? "; " + GetGameFolder() + "log.txt says why" : " (no log file could be written)");
}

}  // namespace

SGameCommandLine ParseGameCommandLine(const std::vector<std::string>& args) {
    SGameCommandLine out;
    if (!args.empty()) {
        out.gameArgs.push_back(args[0]);
    }
    auto fail = [&out](const std::string& text) {
        if (out.error.empty()) out.error = text;
    };
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--data" || a == "--frames" || a == "--seed") {
            // A missing value is refused without taking the next option as one.
            const bool hasValue = i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0;
            const std::string value = hasValue ? args[++i] : std::string();
            unsigned long long n = 0;
            if (a == "--data") {
                if (value.empty()) fail("--data needs a folder");
                out.dataFolder = value;
            } else if (a == "--seed") {
                if (!ParseCount(value, UINT32_MAX, &n)) {
                    fail(BadValue("--seed needs a number from 0 to 4294967295", value));
                }
                out.seed = static_cast<uint32_t>(n);
            } else {
                if (!ParseCount(value, INT64_MAX, &n)) fail(BadValue("--frames needs a whole number of frames", value));
                out.frames = static_cast<long long>(n);
            }
        } else if (a == "--scene") {
            if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) out.sceneArg = args[++i];
            out.scene = ParseStartScene(out.sceneArg);
            out.sceneRefused = out.scene == 0;
            if (out.sceneRefused) fail(BadValue("--scene opens the scenes 26 to 29", out.sceneArg));
        } else if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--movie") {
            out.movie = true;
        } else if (a == CDebugWindow::kShowOption) {
            out.debugWindow = true;
        } else if (IsOption(a)) {
            fail("unknown option " + a);
        } else {
            out.gameArgs.push_back(a);
        }
    }
    out.viewer = out.gameArgs.size() > 1 && out.gameArgs[1] == "viewer";
    if (out.viewer) {
        out.viewerScripts.assign(out.gameArgs.begin() + 2, out.gameArgs.end());
    }
    return out;
}

int RunGame(const std::vector<std::string>& args, const SGameParts& parts) {
    const SGameCommandLine cmd = ParseGameCommandLine(args);
    if (cmd.help) {
        std::fputs(kGameUsage, stdout);
        std::fputs(kGameOptionsHelp, stdout);
        return kExitOk;
    }
    if (!cmd.error.empty()) {
        PrintError(cmd.error);
        std::fputs(kGameUsage, stderr);
        return kExitUsage;
    }
    // What the game reads of its command line later (the script-tool arguments) is the
    // game's own part: this build's options are no script names.
    SetCommandLineArgs(cmd.gameArgs);
    if (!cmd.dataFolder.empty()) {
        SetGameFolder(cmd.dataFolder);
    }
    // Before anything is written there: a wrong folder would otherwise get a save
    // folder and a report, and show a window that never changes.
    std::string problem;
    std::vector<std::string> missing;
    if (!CheckGameData(!cmd.dataFolder.empty(), &problem, &missing)) {
        PrintError(problem);
        return kExitNoGameData;
    }
    // Only where nobody asked for a driver: tests and CI ask for SDL's dummy one.
    if (RefuseMissingDisplay()) {
        return kExitStartFailed;
    }
    // A repeatable run (the scripted playthrough): set before any generator is built.
    if (cmd.seed != 0) CRandom::SetDefaultSeedForTests(cmd.seed);
    GetScriptToolLink().Open(cmd.gameArgs);

    // Nothing is logged: log.txt belongs to the copy that runs.
    CSingleInstance instance;
    if (!instance.Acquire(PlatformGetProgramPath())) {
        return RefuseStart(instance.GetRefusal());
    }
    // Copies with other runtime folders (another login, a service) meet here: the last
    // to quit would otherwise write its automatic save over the other's.
    const std::string saveFolder = GetGameFolder() + "save/";
    if (!instance.AcquireDataFolder(saveFolder)) {
        return RefuseStart(instance.GetRefusal());
    }
    if (!CheckDesktopColorDepth()) {
        PrintError("cannot run on a desktop of 24 bits per pixel; switch it to 16 or 32 bits");
        return kExitStartFailed;
    }
    const bool logWritten = EnableLogFile(GetGameFolder() + "log.txt");
    if (!logWritten) {
        PrintError("cannot write the log file " + GetGameFolder() + "log.txt; the game runs without it");
    }
    DebugPrintf("起動しました");
    for (const std::string& what : missing) DebugPrintf("RunGame() データがありません[%s]", what.c_str());
    if (!instance.HoldsDataFolder()) {
        DebugPrintf("RunGame() データフォルダのロックファイルを作れません[%s%s]", saveFolder.c_str(),
                    CSingleInstance::kFolderLockName);
    }
    BuildBlendTables();
    InstallSoftwareScreenPath();

    CGameApp::SStart start;
    start.frames = cmd.frames;
    if (cmd.viewer) {
        start.kind = CGameMain::START_VIEWER;
        start.scripts = cmd.viewerScripts;
        if (start.scripts.empty()) {
            CScriptChooser chooser(CScriptChooser::ListScripts());
            if (!chooser.Choose(&start.scripts)) {
                DebugPrintf("RunGame() スクリプトが選択されなかったので終了します");
                DisableLogFile();
                return kExitOk;
            }
        }
        for (const std::string& s : start.scripts) {
            DebugPrintf("RunGame() ビューア再生:%s", s.c_str());
        }
    } else if (GetScriptToolLink().IsConnected()) {
        start.kind = CGameMain::START_TOOL;
    } else if (cmd.scene != 0) {
        start.kind = CGameMain::START_SCENE;
        start.scene = cmd.scene;
        DebugPrintf("RunGame() シーン%dから開始します", cmd.scene);
    }
    CGameMain::SOptions options;
    options.inGameSceneMaker = parts.inGameSceneMaker;
    if (cmd.movie) {
        if (parts.movieSceneMaker) {
            options.inGameSceneMaker = parts.movieSceneMaker;
            start.kind = CGameMain::START_SCENE;
            start.scene = CGameMain::kKeptInGameScene;
        } else {
            DebugPrintf("RunGame() --movie はこの実行ファイルでは使えません");
        }
    }

    int result = kExitOk;
    {
        CDebugWindow debugWindow;
        debugWindow.Start(cmd.debugWindow);
        CGameApp app(start, options);
        if (!app.Run()) {
            DebugPrintf("RunGame() ウィンドウを作成できません");
            PrintError("cannot open the game's window");
            app.RequestEnd();
            debugWindow.RequestEnd();
            result = kExitStartFailed;
        }
        // The main thread only waits: the game ends its window thread, which ends the others.
        CThreadList::Get().WaitAll();
        if (result == kExitOk && app.GetExitCode() == CGameApp::kSavesFailed) {
            // Each failed save has its log line too, which says why.
            DebugPrintf("RunGame() 終了時の保存に失敗しました");
            PrintError(FailedSavesText(app.GetFailedSaves(), logWritten));
            result = kExitSavesFailed;
        }
    }
    DebugPrintf("終了しました");
    DisableLogFile();
    instance.Release();
    return result;
}
