#include "tools/demo/DemoWriter.h"

#include <cstdio>
#include <filesystem>

#include "engine/file/PakWriter.h"
#include "tools/movie/ClipWriter.h"
#include "tools/script/AdvScriptBuilder.h"

#include "tools/kit/SoundFiles.h"

namespace demo {

kit::SSheetSpec FrameSheet(const std::string& name, int32_t width, int32_t height, int32_t columns, int32_t rows,
                           int32_t border, uint32_t argb) {
    kit::SSheetSpec s = kit::MakeSheet(name, width, height, columns, rows);
    s.cellAreas.push_back({border, border, width / columns - 2 * border, height / rows - 2 * border, argb});
    return s;
}

kit::SSheetSpec GlyphSheet(const std::string& name, int32_t width, int32_t height, int32_t columns, int32_t rows) {
    return FrameSheet(name, width, height, columns, rows, 0);
}

bool CDemoWriter::_Write(const std::string& path, const std::vector<uint8_t>& bytes, std::string note) {
    if (path.rfind("save\\", 0) == 0 || path.rfind("save/", 0) == 0 || bytes.empty() ||
        !kit::WriteBytes(kit::NativeFilePath(m_Folder, path), bytes)) {
        std::fprintf(stderr, "niwa_demo_data: cannot write %s\n", path.c_str());
        m_Ok = false;
        return false;
    }
    m_Files.push_back(SDemoFile{path, bytes.size(), std::move(note)});
    return true;
}

bool CDemoWriter::Sound(const std::string& path, const std::vector<int16_t>& stereo) {
    std::vector<uint8_t> bytes;
    if (kit::CanEncodeOgg()) {
        bytes = kit::EncodeOgg(stereo, 2, 44100);
    }
    if (bytes.empty()) {
        bytes = kit::MakeWave(kit::ToBytes(stereo), 2, 16, 44100);
    }
    const uint32_t ms = static_cast<uint32_t>(stereo.size() / 2 * 1000 / 44100);
    return _Write(path, bytes, "sound " + std::to_string(ms) + " ms");
}

bool CDemoWriter::Sheet(const kit::SSheetSpec& spec) {
    m_Sheets.push_back(spec);
    char note[96];
    std::snprintf(note, sizeof note, "%dx%d grid %dx%d", spec.width, spec.height, spec.columns, spec.rows);
    return _Write(spec.name, kit::EncodeSheet(spec), note);
}

bool CDemoWriter::StageSheet(const kit::SSheetSpec& spec) {
    const int32_t w = spec.width / 4, h = spec.height / 4;
    const bool grid = w % spec.columns == 0 && h % spec.rows == 0;
    const bool wrote = Sheet(spec);
    return Sheet(kit::MakeSheet("obj\\small\\" + spec.name, w, h, grid ? spec.columns : 1, grid ? spec.rows : 1)) && wrote;
}

bool CDemoWriter::Picture(const std::string& path, const std::vector<uint32_t>& argb, int32_t width, int32_t height) {
    return _Write(path, kit::EncodeBmp24(argb, width, height),
                  std::to_string(width) + "x" + std::to_string(height) + " picture");
}

bool CDemoWriter::Sound(const std::string& path, uint32_t seed, uint32_t ms) {
    return Sound(path, kit::MakePcm16(seed, 44100u * ms / 1000u, 2));
}

bool CDemoWriter::Text(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return _Write(path, std::vector<uint8_t>(text.begin(), text.end()), "text " + std::to_string(lines.size()) + " lines");
}

bool CDemoWriter::Script(const std::string& path, CAdvScriptBuilder& script) {
    const std::string native = kit::NativeFilePath(m_Folder, path);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(native).parent_path(), error);
    const bool saved = !error && script.Save(native);
    const auto bytes = saved ? std::filesystem::file_size(native, error) : 0;
    if (!saved || error || bytes == 0) {
        std::fprintf(stderr, "niwa_demo_data: cannot write %s\n", path.c_str());
        m_Ok = false;
        return false;
    }
    m_Files.push_back(SDemoFile{path, static_cast<size_t>(bytes), "script"});
    return true;
}

bool CDemoWriter::Movie(int seconds) {
    movieclip::SClip clip;
    clip.width = 640;
    clip.height = 480;
    clip.toneHz = 440;
    clip.amplitude = 0.3;
    clip.frames = clip.fps * seconds;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!movieclip::EncodeClip(clip, &bytes, &error)) {
        std::fprintf(stderr, "niwa_demo_data: cannot encode mov.pak: %s\n", error.c_str());
        m_Ok = false;
        return false;
    }
    return _Write("mov.pak", bytes, "movie " + std::to_string(seconds) + " s 640x480");
}

bool CDemoWriter::Pack(const std::string& top) {
    const std::string folder = m_Folder + top;
    CPakWriter pak;
    std::error_code error;
    if (!pak.AddFolder(folder) || !pak.Save(m_Folder + top + ".pak") ||
        std::filesystem::remove_all(folder, error) == static_cast<std::uintmax_t>(-1) || error) {
        std::fprintf(stderr, "niwa_demo_data: cannot pack %s\n", top.c_str());
        m_Ok = false;
        return false;
    }
    const std::string prefix = top + "\\";
    for (SDemoFile& f : m_Files) {
        if (f.path.compare(0, prefix.size(), prefix) == 0) f.note += " in " + top + ".pak";
    }
    return true;
}

bool CDemoWriter::WholeText(const std::string& path, const std::string& text) {
    return _Write(path, std::vector<uint8_t>(text.begin(), text.end()), "text " + std::to_string(text.size()) + " bytes");
}

bool CDemoWriter::WriteManifest() {
    std::string text = "# path bytes what\n";
    for (const SDemoFile& f : m_Files) {
        text += f.path + " " + std::to_string(f.bytes) + " " + f.note + "\n";
    }
    if (!kit::WriteBytes(m_Folder + "manifest.txt", std::vector<uint8_t>(text.begin(), text.end()))) {
        std::fprintf(stderr, "niwa_demo_data: cannot write manifest.txt\n");
        m_Ok = false;
    }
    return m_Ok;
}

bool WriteDemoData(const std::string& folder, std::vector<kit::SSheetSpec>* sheets) {
    CDemoWriter out(folder);
    WriteSharedData(out);
    WriteBootTitleData(out);
    WriteSaveLoadData(out);
    WriteSettingsData(out);
    WriteStatusGuideData(out);
    WriteViewerData(out);
    WriteMusicRoomData(out);
    WriteSeasonData(out);
    WriteWorkFoodData(out);
    WriteHomeData(out);
    WriteMansionMenuData(out);
    WriteStageData(out);
    WriteEventData(out);
    WriteActionEventData(out);
    WriteSampleData(out);
    WriteLetterData(out);
    out.Movie(3);
    for (const char* top : kPackedFolders) out.Pack(top);
    if (sheets) *sheets = out.Sheets();
    return out.WriteManifest();
}

}  // namespace demo
