#pragma once
#include <algorithm>
#include <deque>
#include <map>
#include <string>

#include "file_port.h"

// router.log in memory; each append takes only as many bytes as the next
// budget allows (0: the file cannot be opened), then all of them. Tests read
// `file` once the workers have ended.
struct ScriptedFiles : FilePort {
    std::size_t AppendToFile(const std::string&, std::string_view bytes) override {
        std::size_t room = budgets.empty() ? bytes.size() : std::min(bytes.size(), budgets.front());
        if (!budgets.empty()) budgets.pop_front();
        file.append(bytes.substr(0, room));
        return room;
    }
    bool WriteWholeFile(const std::string& path, std::string_view bytes) override {
        written[path] = bytes;
        return true;
    }
    bool CanReadFile(const std::string&) override { return false; }
    bool RemoveFile(const std::string&) override {
        file.clear();
        return true;
    }
    FileReadResult ReadFileInChunks(const std::string&, const std::function<bool(std::string_view)>& reader) override {
        reader(file);
        return {};
    }
    std::optional<std::uint64_t> FileSize(const std::string&) override { return file.size(); }

    std::deque<std::size_t> budgets;
    std::string file;
    std::map<std::string, std::string> written;  // whole files, by path
};
