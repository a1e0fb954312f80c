#include "io/ImportLog.h"
#include "io/ProjectFolder.h"
#include "io/TextCodec.h"
#include "platform/DocumentsFolder.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace qdx {
namespace {

// Points HOME and XDG_CONFIG_HOME at a temp folder for the test's lifetime.
class HomeScope {
public:
    explicit HomeScope(const std::filesystem::path& home) {
        save("HOME");
        save("XDG_CONFIG_HOME");
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }
    ~HomeScope() {
        for (auto& [name, value] : m_saved) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

private:
    void save(const char* name) {
        const char* v = std::getenv(name);
        m_saved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST(DocumentsFolder, FollowsUserDirsElseHomeDocuments) {
    test::TempDir home;
    HomeScope scope(home.path());
    EXPECT_EQ(platform::documentsFolder(), home.path() / "Documents");
    EXPECT_EQ(defaultProjectFolder(), home.path() / "Documents" / "QuendixFree");

    std::filesystem::create_directories(home.path() / ".config");
    test::writeBytes(home.file(".config/user-dirs.dirs"),
                     "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\n"
                     "XDG_DOCUMENTS_DIR=\"$HOME/文書\"\n");
    EXPECT_EQ(platform::documentsFolder(), home.path() / "文書");

    // XDG_CONFIG_HOME wins over ~/.config; a relative value is ignored.
    std::filesystem::create_directories(home.path() / "cfg");
    test::writeBytes(home.file("cfg/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"docs\"\n");
    setenv("XDG_CONFIG_HOME", home.file("cfg").c_str(), 1);
    EXPECT_EQ(platform::documentsFolder(), home.path() / "Documents");
    test::writeBytes(home.file("cfg/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"/srv/papers\"\r\n");
    EXPECT_EQ(platform::documentsFolder(), std::filesystem::path("/srv/papers"));
}

TEST(ImportLog, AppendsCp932LinesAcrossOpensOlderFirst) {
    test::TempDir dir;
    const auto folder = dir.path() / "QuendixFree";
    {
        ImportLog log;
        ASSERT_TRUE(log.open(folder));
        log.write(ImportLog::Info, 133, "IMPORT_OK");
        log.write(7, 1, "never written");
    }
    {
        ImportLog log;
        ASSERT_TRUE(log.open(folder));
        log.write(ImportLog::Warning, 1383, "■データ取込　チャートデータ桁数異常：123 P,1");
        log.write(ImportLog::Detail, "other", 5, "detail");
        log.close();
        log.write(ImportLog::Warning, 1, "after close");
    }
    const std::string bytes = test::readBytes((folder / "CsvFileCtrl.csv").string());
    const std::string text = TextCodec::toUtf8(bytes);
    const std::regex line(
        R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d,\[([WID])\],\[(\w+)\],(\d+),([^\r\n]*)\r\n)");
    std::vector<std::string> messages;
    for (std::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it) {
        messages.push_back((*it)[1].str() + "|" + (*it)[2].str() + "|" + (*it)[3].str() + "|" +
                           (*it)[4].str());
    }
    ASSERT_EQ(messages.size(), 3u) << text;
    EXPECT_EQ(messages[0], "I|csvfilectrl|133|IMPORT_OK");
    EXPECT_EQ(messages[1], "W|csvfilectrl|1383|■データ取込　チャートデータ桁数異常：123 P,1");
    EXPECT_EQ(messages[2], "D|other|5|detail");
    // The file holds CP932, not UTF-8.
    EXPECT_NE(bytes.find(TextCodec::toCp932("■データ取込")), std::string::npos);
    EXPECT_EQ(bytes.find("■"), std::string::npos);
}

TEST(ImportLog, ReportsAFolderItCannotWriteTo) {
    test::TempDir dir;
    test::writeBytes(dir.file("plain"), "x");
    ImportLog log;
    EXPECT_FALSE(log.open(dir.path() / "plain"));
    EXPECT_FALSE(log.isOpen());
}

} // namespace
} // namespace qdx
