// The built programs as a user and a script start them: options, data folders relative
// to the current folder, and every way a start or a run ends, each with its exit code
// and a line saying why.  Each child runs headless with a private lock folder and a
// bounded number of frames.
#include <gtest/gtest.h>

#if defined(NIWA_BINARY)
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <string>
#include <vector>

#include "engine/base/SingleInstance.h"
#include "game/core/GameStartup.h"
#include "platform/ipc/InstanceLock.h"
#include "tests/support/TestSupport.h"
#include "tests/support/xvfb/Xvfb.h"

namespace {

namespace fs = std::filesystem;

class Program : public ::testing::Test {
protected:
    // Runs a program to its end; its standard output and error in the answer.
    std::string Run(const std::vector<std::string>& args, int* code, const std::vector<std::string>& more = {}) {
        return testsupport::RunAndRead(args, Env(Locks(), more), code);
    }
    // The children's settings: headless, the given lock folder, then `more` (which may
    // replace them, or leave one out by its bare name).
    static std::vector<std::string> Env(const std::string& locks, const std::vector<std::string>& more = {}) {
        std::vector<std::string> env{"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "XDG_RUNTIME_DIR=" + locks};
        env.insert(env.end(), more.begin(), more.end());
        return env;
    }
    std::string Game(std::vector<std::string> more, int* code, const std::vector<std::string>& env = {}) {
        more.insert(more.begin(), NIWA_BINARY);
        return Run(more, code, env);
    }
    // The lock folder of the children (no trailing '/', as the runtime folder is given).
    std::string Locks() const { return m_Locks.Path().substr(0, m_Locks.Path().size() - 1); }
    // A data folder holding only the sound the start looks for.
    std::string MinimalData(const std::string& folder) {
        EXPECT_TRUE(testsupport::MakeParentDirs(folder + "sys/001.ogg"));
        EXPECT_TRUE(testsupport::WriteFileBytes(folder + "sys/001.ogg", {'R', 'I', 'F', 'F'}));
        return folder;
    }
    static std::string Text(const std::string& path) {
        std::vector<uint8_t> bytes;
        testsupport::ReadFileBytes(path, &bytes);
        return std::string(bytes.begin(), bytes.end());
    }
    static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

    testsupport::CTempDir m_Locks;
    testsupport::CTempDir m_Root;
};

TEST_F(Program, DemoDataAndTheGameTakeRelativeAndAbsoluteFolders) {
    const fs::path here = fs::current_path();
    fs::current_path(m_Root.Path());
    // As the README and docs/demo-data.md give them, from the clone's root; then the same
    // with an absolute folder.
    for (const std::string& folder : {std::string("build/demo"), m_Root.Path() + "elsewhere/demo"}) {
        SCOPED_TRACE(folder);
        const std::string native = folder[0] == '/' ? folder + "/" : m_Root.Path() + folder + "/";
        int code = -1;
        const std::string wrote = Run({NIWA_DEMO_BINARY, folder}, &code);
        EXPECT_EQ(code, 0) << wrote;
        EXPECT_TRUE(Has(wrote, "wrote " + native)) << wrote;
        EXPECT_TRUE(testsupport::FileExists(native + "manifest.txt"));
        const std::string ran = Game({"--data", folder, "--frames", "5"}, &code);
        EXPECT_EQ(code, kExitOk) << ran;
        EXPECT_TRUE(Has(Text(native + "log.txt"), "CGameApp::MainProc() 5")) << "its log in its data folder";
        EXPECT_TRUE(testsupport::FileExists(native + "save/save00.sav"));
    }
    fs::current_path(here);
}

TEST_F(Program, StartUpErrorsSayWhatIsWrongAndEndWithTheirCode) {
    const std::string missing = m_Root.Path() + "missing";
    const std::string empty = m_Root.Path() + "empty/";
    const std::string file = m_Root.Path() + "a file";
    fs::create_directories(empty);
    ASSERT_TRUE(testsupport::WriteFileBytes(file, {1}));
    struct SCase {
        std::vector<std::string> args;  // after the program
        int code;
        std::vector<std::string> says;
    };
    const SCase cases[] = {
        {{"--help"}, kExitOk, {"usage: niwa", "--data FOLDER", "exit status"}},
        {{"-h"}, kExitOk, {"usage: niwa"}},
        {{"--bogus"}, kExitUsage, {"niwa: unknown option --bogus", "usage: niwa"}},
        {{"--frames"}, kExitUsage, {"niwa: --frames needs a whole number of frames", "usage: niwa"}},
        {{"--frames", "abc"}, kExitUsage, {"not \"abc\""}},
        {{"--scene", "5"}, kExitUsage, {"--scene opens the scenes 26 to 29"}},
        {{"--data", missing}, kExitNoGameData, {"the data folder " + missing + "/ does not exist"}},
        {{"--data", empty}, kExitNoGameData,
         {"no game data in " + empty, "looked for the folders cfg, scr, bg",
          "hint_voice (each also as a .pak archive) and mov.pak"}},
        {{"--data", file}, kExitNoGameData, {"the data folder " + file + "/ is not a folder"}},
        {{"--frames", "1"}, kExitNoGameData, {"(give the game's data folder with --data FOLDER)"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.args.front());
        int code = -1;
        const std::string out = Game(c.args, &code);
        EXPECT_EQ(code, c.code) << out;
        for (const std::string& part : c.says) EXPECT_TRUE(Has(out, part)) << part << " in: " << out;
    }
    EXPECT_FALSE(fs::exists(missing)) << "nothing made where the data was not";
    EXPECT_TRUE(fs::is_empty(empty));

    const SCase demoCases[] = {
        {{}, 2, {"usage: niwa_demo_data FOLDER"}},
        {{"--bogus"}, 2, {"unknown option --bogus", "usage: niwa_demo_data FOLDER"}},
        {{"--help"}, 0, {"usage: niwa_demo_data FOLDER"}},
    };
    for (const SCase& c : demoCases) {
        std::vector<std::string> args{NIWA_DEMO_BINARY};
        args.insert(args.end(), c.args.begin(), c.args.end());
        int code = -1;
        const std::string out = Run(args, &code);
        EXPECT_EQ(code, c.code) << out;
        for (const std::string& part : c.says) EXPECT_TRUE(Has(out, part)) << part << " in: " << out;
    }
}

TEST_F(Program, ASecondCopyEndsAtOnceSayingWhichCopyHoldsTheLock) {
    const std::string data = MinimalData(m_Root.Path());
    CInstanceLock::SetFolderOverride(Locks());
    CSingleInstance first;
    ASSERT_TRUE(first.Acquire(NIWA_BINARY));
    int code = -1;
    const std::string out = Game({"--data", data, "--frames", "3"}, &code);
    first.Release();
    CInstanceLock::SetFolderOverride("");
    EXPECT_EQ(code, kExitAlreadyRunning) << out;
    const std::string holder = "(process " + std::to_string(getpid()) + ")";
    EXPECT_TRUE(Has(out, "niwa: another copy of the game is already running " + holder)) << out;
    EXPECT_TRUE(Has(out, "its lock file is " + Locks() + "/niwa-")) << out;
    EXPECT_FALSE(testsupport::FileExists(data + "log.txt")) << "the running copy's log is left alone";
    EXPECT_FALSE(fs::exists(data + "save"));
}

TEST_F(Program, ARunEndsWithItsSavesToldAndTheMissingEventTableLogged) {
    struct SCase {
        const char* name;
        const char* saveFile;               // what stands at save\ or in it
        std::vector<uint8_t> bytes;
        int code;
        std::vector<std::string> says;      // in the output (the log lines converted)
        std::vector<std::string> logged;    // in log.txt, as the program writes it
    };
    const SCase cases[] = {
        {"a file where the save folder belongs", "save", {1}, kExitSavesFailed,
         {"CSaveData::Save() ", "CReadHistory::Save() ", "CSystemData::Save() ",
          "niwa: a save at exit could not be written"},
         {"CSystemData::Save() 保存に失敗しました[save\\cfg.sav]", "RunGame() 終了時の保存に失敗しました"}},
        {"no event table", nullptr, {}, kExitOk, {"CEventTable::Load() ", "[cfg\\event.csv]"},
         {"CEventTable::Load() ファイルを読み込めません[cfg\\event.csv]"}},
        {"a damaged automatic save", "save/save00.sav", {'b', 'a', 'd'}, kExitOk, {"save00.sav.bad]"},
         {"CSaveData::Save() 読み込めなかったファイルを残しました["}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::CTempDir dir;
        const std::string data = MinimalData(dir.Path());
        if (c.saveFile) {
            ASSERT_TRUE(testsupport::MakeParentDirs(data + c.saveFile));
            ASSERT_TRUE(testsupport::WriteFileBytes(data + c.saveFile, c.bytes));
        }
        int code = -1;
        const std::string out = Game({"--data", data, "--frames", "3"}, &code);
        EXPECT_EQ(code, c.code) << out;
        for (const std::string& part : c.says) EXPECT_TRUE(Has(out, part)) << part << " in: " << out;
        const std::string log = Text(data + "log.txt");
        for (const std::string& part : c.logged) EXPECT_TRUE(Has(log, part)) << part;
    }
}

// A first start, on a machine whose sound library may find no card: the saves not yet
// written and the library's search are no faults, and the terminal shows neither; the
// saves' lines stay in log.txt.
TEST_F(Program, AFirstStartTellsTheTerminalNothingOfSavesNotYetWrittenNorOfTheSoundLibrary) {
    const std::string data = MinimalData(m_Root.Path());
    int code = -1;
    const std::string out = Game({"--data", data, "--frames", "2"}, &code, {"SDL_AUDIODRIVER=alsa"});
    EXPECT_EQ(code, kExitOk) << out;
    for (const char* unsaid : {"save\\cfg.sav", "save\\read.sav", "save\\save00.sav", "ALSA lib"}) {
        EXPECT_FALSE(Has(out, unsaid)) << unsaid << " in: " << out;
    }
    EXPECT_TRUE(Has(Text(data + "log.txt"), "CSystemData::Load() 読み込みに失敗しました[save\\cfg.sav]"));
}

TEST_F(Program, WithoutADisplayItEndsAtOnceUnlessADriverWasAskedFor) {
    const std::string data = MinimalData(m_Root.Path());
    // A display number no X server of this machine listens on.
    int free = 9999;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(free))) --free;
    const std::string unused = ":" + std::to_string(free);
    struct SCase {
        const char* name;
        std::vector<std::string> env;  // over the headless settings
        int code;
        std::string says;
    } cases[] = {
        {"no DISPLAY", {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}, kExitStartFailed,
         "niwa: no display could be opened (DISPLAY is not set); to run without a display, set SDL_VIDEODRIVER=dummy"},
        {"a DISPLAY without a server", {"SDL_VIDEODRIVER", "DISPLAY=" + unused, "WAYLAND_DISPLAY"}, kExitStartFailed,
         "niwa: no display could be opened (DISPLAY is \"" + unused + "\", where no X server answers)"},
        {"the dummy driver asked for", {"DISPLAY", "WAYLAND_DISPLAY"}, kExitOk, ""},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        int code = -1;
        const std::string out = Game({"--data", data, "--frames", "2"}, &code, c.env);
        EXPECT_EQ(code, c.code) << out;
        EXPECT_TRUE(Has(out, c.says)) << out;
        EXPECT_EQ(fs::exists(data + "log.txt"), c.code == kExitOk) << "nothing written before the display is known";
        EXPECT_EQ(fs::exists(data + "save"), c.code == kExitOk);
    }
}

TEST_F(Program, OneDataFolderRunsOneCopyWhateverItsRuntimeFolder) {
    const std::string data = MinimalData(m_Root.Path());
    const std::string lock = data + "save/" + CSingleInstance::kFolderLockName;
    testsupport::CTempDir otherLocks;
    const std::string other = otherLocks.Path().substr(0, otherLocks.Path().size() - 1);
    auto first = std::make_unique<testsupport::CChildProcess>();
    ASSERT_TRUE(
        first->Start({NIWA_BINARY, "--data", data, "--frames", "100000"}, Env(Locks()), m_Root.Path() + "first.txt"));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (CInstanceLock::ReadFileHolderPid(lock) != first->Pid() && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_EQ(CInstanceLock::ReadFileHolderPid(lock), first->Pid()) << Text(m_Root.Path() + "first.txt");

    int code = -1;
    std::string out = Game({"--data", data, "--frames", "2"}, &code, {"XDG_RUNTIME_DIR=" + other});
    EXPECT_EQ(code, kExitAlreadyRunning) << out;
    EXPECT_TRUE(Has(out, "niwa: another copy of the game is already using the data folder " + data + " (process " +
                             std::to_string(first->Pid()) + "); its lock file is " + lock))
        << out;

    // A killed copy leaves no lock behind.
    ASSERT_EQ(kill(first->Pid(), SIGKILL), 0);
    first.reset();
    out = Game({"--data", data, "--frames", "2"}, &code, {"XDG_RUNTIME_DIR=" + other});
    EXPECT_EQ(code, kExitOk) << out;

    // Where no lock file can be made, the game runs unguarded and says so in its log.
    fs::remove(lock);
    fs::create_directory(lock);
    out = Game({"--data", data, "--frames", "2"}, &code);
    EXPECT_EQ(code, kExitOk) << out;
    EXPECT_TRUE(Has(Text(data + "log.txt"), "RunGame() データフォルダのロックファイルを作れません[" + lock + "]"));
}

TEST_F(Program, SavesThatFailAtExitAreNamedAlsoWithoutALog) {
    struct SCase {
        const char* name;
        bool logFolder;  // a folder where log.txt belongs
        std::string says;
    } cases[] = {
        {"a log", false, "; {data}log.txt says why"},
        {"no log", true, " (no log file could be written)"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::CTempDir dir;
        const std::string data = MinimalData(dir.Path());
        ASSERT_TRUE(testsupport::WriteFileBytes(data + "save", {1}));
        if (c.logFolder) fs::create_directory(data + "log.txt");
        int code = -1;
        const std::string out = Game({"--data", data, "--frames", "2"}, &code);
        EXPECT_EQ(code, kExitSavesFailed) << out;
        std::string says = c.says;
        if (says.find("{data}") != std::string::npos) says.replace(says.find("{data}"), 6, data);
        EXPECT_TRUE(Has(out, "niwa: a save at exit could not be written: " + data + "save/save00.sav, " + data +
                                 "save/read.sav, " + data + "save/cfg.sav" + says))
            << out;
        const std::string noLog = "niwa: cannot write the log file " + data + "log.txt; the game runs without it";
        EXPECT_EQ(Has(out, noLog), c.logFolder) << out;
    }
}

TEST_F(Program, StartedWithoutDataFolderItReadsTheFolderItLivesIn) {
    const std::string data = MinimalData(m_Root.Path() + "game/");
    fs::copy_file(NIWA_BINARY, data + "niwa");
    int code = -1;
    const std::string out = Run({data + "niwa", "--frames", "2"}, &code);
    EXPECT_EQ(code, kExitOk) << out;
    EXPECT_TRUE(testsupport::FileExists(data + "log.txt")) << out;
    EXPECT_TRUE(testsupport::FileExists(data + "save/save00.sav"));
}

}  // namespace

#endif  // NIWA_BINARY
