#include "common/qt/qt_text.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(QtText, ProjectTextAndUtf8CrossIntactBothWays) {
    const QString cafe = Windows1252ToQString("Caf\xE9 \x80 \x81");
    EXPECT_EQ(cafe, QString::fromUtf8("Caf\u00e9 \u20ac \u0081"));
    EXPECT_EQ(QStringToWindows1252(cafe), "Caf\xE9 \x80 \x81");
    EXPECT_EQ(QStringToWindows1252(QString::fromUtf8("\u0416 \U0001F600")), "? ?");
    EXPECT_EQ(Windows1252ToQString(std::string("a\0b", 3)).size(), 3);

    const std::string path = "/tmp/\xC3\xA9t\xC3\xA9/sea.jpg";
    EXPECT_EQ(ToQString(path), QString::fromUtf8("/tmp/\u00e9t\u00e9/sea.jpg"));
    EXPECT_EQ(FromQString(ToQString(path)), path);
}

}  // namespace
}  // namespace lv
