#include "engine/base/StringUtil.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

int StrToInt(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    const char* p = text.c_str();
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(p, &end, 10);
    if (end == p) {
        return 0;
    }
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

std::string StrCaseConvert(const std::string& text) {
    std::string out = text;
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsSjisLeadByte(out[i]) && i + 1 < out.size()) {
            ++i;
            continue;
        }
        if (out[i] >= 'A' && out[i] <= 'Z') {
            out[i] = static_cast<char>(out[i] - 'A' + 'a');
        }
    }
    return out;
}

std::string PathToBackslash(const std::string& path) {
    std::string out = path;
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsSjisLeadByte(out[i]) && i + 1 < out.size()) {
            ++i;
            continue;
        }
        if (out[i] == '/') {
            out[i] = '\\';
        }
    }
    return out;
}

std::string NormalizePath(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    bool lastWasBackslash = false;
    for (size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (IsSjisLeadByte(c) && i + 1 < path.size()) {
            out += c;
            out += path[++i];
            lastWasBackslash = false;
            continue;
        }
        if (c == '\\') {
            if (lastWasBackslash) {
                continue;
            }
            lastWasBackslash = true;
        } else {
            lastWasBackslash = false;
        }
        out += c;
    }
    return out;
}

size_t FindLastBackslash(const std::string& path) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsSjisLeadByte(path[i]) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\') {
            last = i;
        }
    }
    return last;
}

bool EndsWithBackslash(const std::string& path) {
    return !path.empty() && FindLastBackslash(path) == path.size() - 1;
}

std::string MakeFilePath(const std::string& folder, const std::string& name, const std::string& extension) {
    std::string out = folder;
    if (!out.empty() && !EndsWithBackslash(out)) {
        out += '\\';
    }
    out += name;
    if (!extension.empty()) {
        out += '.';
        out += extension;
    }
    return out;
}

namespace {
bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}
}  // namespace

std::string MakeResourcePath(const std::string& name, const std::string& folder, const std::string& extension) {
    if (name.empty()) {
        return std::string();
    }
    std::string n = StrCaseConvert(PathToBackslash(name));
    std::string f = StrCaseConvert(PathToBackslash(folder));
    std::string e = StrCaseConvert(extension);
    if (!f.empty() && !EndsWithBackslash(f)) {
        f += '\\';
    }
    std::string path = StartsWith(n, f) ? n : f + n;
    path = NormalizePath(path);
    if (!e.empty() && !HasFileExtension(path)) {
        path += '.';
        path += e;
    }
    return path;
}

bool HasFileExtension(const std::string& path) {
    size_t slash = FindLastBackslash(path);
    for (size_t i = slash == std::string::npos ? 0 : slash + 1; i < path.size(); ++i) {
        if (IsSjisLeadByte(path[i]) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '.') {
            return true;
        }
    }
    return false;
}

std::string FormatString(const char* format, ...) {
    char buf[4096];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buf, sizeof(buf), format, args);
    va_end(args);
    if (n < 0) {
        return std::string();
    }
    return std::string(buf, static_cast<size_t>(n) < sizeof(buf) ? static_cast<size_t>(n) : sizeof(buf) - 1);
}

std::string BackslashesToLineFeeds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsSjisLeadByte(text[i]) && i + 1 < text.size()) {
            out.append(text, i, 2);
            ++i;
            continue;
        }
        out += text[i] == '\\' ? '\n' : text[i];
    }
    return out;
}
