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

TEST(QSettingsRegistry, HandEditedEntriesCountOnlyInTheirStoredForm) {
    TTempFolder folder;
    std::ofstream(folder / "Morvane.ini") << "[Config]\n"
                                             "FontHeight=14\n"
                                             "Hex=0x10\n"
                                             "Negative=-1\n"
                                             "TooBig=4294967296\n"
                                             "Text=\"@ByteArray(sys;exe)\"\n"
                                             "Plain=sys\n"
                                             "List=a, b\n";
    const TQSettingsRegistry registry(IniPath(folder));
    EXPECT_EQ(registry.ReadDword("Config", "FontHeight"), 14u);
    EXPECT_EQ(registry.ReadString("Config", "Text"), "sys;exe");
    for (const char* name : {"Hex", "Negative", "TooBig", "Plain", "List"}) {
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
