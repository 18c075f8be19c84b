#include "platform/qsettings_registry.h"

#include "support/registry_contract.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace mv::test {
namespace {

QString IniPath(const TTempFolder& folder) {
    return QString::fromStdString(folder / "Morvane.ini");
}

class QSettingsRegistryFactory {
public:
    TRegistry& Open() {
        registry_ = std::make_unique<TQSettingsRegistry>(IniPath(folder_));
        return *registry_;
    }
    // A new object over the file, as the next run of the program sees it.
    TRegistry& Reopen() {
        EXPECT_EQ(registry_->Flush(), "");
        registry_.reset();
        return Open();
    }

private:
    TTempFolder folder_;
    std::unique_ptr<TQSettingsRegistry> registry_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(QSettings, RegistryContract,
                               testing::Types<QSettingsRegistryFactory>);

// The contract covers what the program writes; by hand, other forms count as missing.
TEST(QSettingsRegistry, HandEditedEntriesCountOnlyInTheirStoredForm) {
    TTempFolder folder;
    std::ofstream(folder / "Morvane.ini") << "[Config]\nHex=0x10\nTooBig=4294967296\nList=a, b\n";
    const TQSettingsRegistry registry(IniPath(folder));
    for (const char* name : {"Hex", "TooBig", "List"}) {
        EXPECT_EQ(registry.ReadDword("Config", name), std::nullopt) << name;
        EXPECT_EQ(registry.ReadString("Config", name), std::nullopt) << name;
    }
}

TEST(QSettingsRegistry, AFileThatCannotBeWrittenFailsTheFlush) {
    TTempFolder folder;
    std::ofstream(folder / "file") << "x"; // a file where the folder should be
    TQSettingsRegistry registry(QString::fromStdString(folder / "file/Morvane.ini"));
    EXPECT_EQ(registry.WriteDword("Config", "FontHeight", 14), "");
    const std::string error = registry.Flush();
    EXPECT_NE(error.find("に書き込めません"), std::string::npos) << error;
}

} // namespace
} // namespace mv::test
