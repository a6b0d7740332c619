#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessaly {

// A file written in place of another: everything goes into a new temporary
// file in the target's folder, hidden and with the target's access rules,
// which takes the target's place only when committed. Until then the
// target, if there is one, is as it was; a replacement that is not
// committed deletes its temporary file.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& target);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // False when no temporary file could be made (an unwritable folder).
    explicit operator bool() const { return !temporary_.empty(); }
    const std::string& temporaryPath() const { return temporary_; }

    // Writes the temporary file's whole content and flushes it to the disk.
    bool write(std::initializer_list<std::string_view> pieces);

    // Puts the temporary file in the target's place. An existing target
    // keeps its security, attributes and streams (ReplaceFile); where the
    // system refuses that, the file is moved into place, and its attributes
    // are set again. The old file stays as `previousVersion` when that is
    // given. False when the target was left as it was.
    [[nodiscard]] bool commit(const std::string& previousVersion = {});

private:
    std::string target_;
    std::string temporary_;
};

// Deletes the temporary files of replacements in `folder` (ending in a
// backslash, or empty for the current one) that a crash kept
// from taking their target's place: they may hold a list in plain text.
// One still being written stays.
void removeLeftoverReplacements(const std::string& folder);

}  // namespace tessaly
