#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace mv::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the
// end of the test. Its path is canonical, so LongPathName leaves names inside it unchanged.
class TTempFolder {
public:
    using Bytes = std::vector<std::uint8_t>;

    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mv_test_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot create a temporary folder";
            return;
        }
        path_ = std::filesystem::canonical(pattern).string();
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    ~TTempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }

    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] std::string operator/(const std::string& name) const {
        return path_ + '/' + name;
    }

    // Writes the file `name` in the folder and answers its path.
    std::string Write(const std::string& name, const Bytes& bytes) const {
        std::ofstream(*this / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return *this / name;
    }
    [[nodiscard]] static Bytes Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        EXPECT_TRUE(in) << path;
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The names in the folder, sorted: a failed save must leave no scratch file behind.
    [[nodiscard]] std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::ranges::sort(names);
        return names;
    }

private:
    std::string path_;
};

} // namespace mv::test
