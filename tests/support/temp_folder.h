#pragma once

#include <string>

namespace tessaly::testing {

// A fresh, empty folder that is removed with everything in it when the
// object goes. path() ends without a separator.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// Names of the entries of a folder, sorted.
std::string listFolder(const std::string& path);

}  // namespace tessaly::testing
