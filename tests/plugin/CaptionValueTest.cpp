// SPDX-License-Identifier: MIT
#include "CaptionValue.h"

#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

namespace vitalune {
namespace {

QString textOf(const QVariant& value) {
    const HostRead read = captionFromValue(value);
    EXPECT_TRUE(read.ok) << read.error.toStdString();
    return read.text;
}

QString errorOf(const QVariant& value) {
    const HostRead read = captionFromValue(value);
    EXPECT_FALSE(read.ok) << read.text.toStdString();
    return read.error;
}

TEST(CaptionValue, StringsAreUsedAsTheyAre) {
    EXPECT_EQ(textOf(QString("Ficha de Ana")), "Ficha de Ana");
    EXPECT_EQ(textOf(QString("  05/06/1970 ")), "  05/06/1970 ");
    EXPECT_EQ(textOf(QString("José Conceição")), "José Conceição");
    const HostRead empty = captionFromValue(QString());
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.text.isEmpty());
}

TEST(CaptionValue, NumbersAndBooleansBecomeTheirText) {
    EXPECT_EQ(textOf(QVariant::fromValue<uchar>(200)), "200");
    EXPECT_EQ(textOf(QVariant::fromValue<short>(-7)), "-7");
    EXPECT_EQ(textOf(QVariant::fromValue<ushort>(65535)), "65535");
    EXPECT_EQ(textOf(42), "42");
    EXPECT_EQ(textOf(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(textOf(4294967295u), "4294967295");
    EXPECT_EQ(textOf(std::numeric_limits<qlonglong>::min()), "-9223372036854775808");
    EXPECT_EQ(textOf(std::numeric_limits<qulonglong>::max()), "18446744073709551615");
    EXPECT_EQ(textOf(1970.0), "1970");
    EXPECT_EQ(textOf(0.1), "0.1");
    EXPECT_EQ(textOf(-2.5), "-2.5");
    EXPECT_EQ(textOf(true), "True");
    EXPECT_EQ(textOf(false), "False");
}

TEST(CaptionValue, OtherTypesAreErrorsNamingThePropertyAndTheType) {
    const QString array = errorOf(QStringList{"Ana"});
    EXPECT_TRUE(array.contains("Caption"));
    EXPECT_TRUE(array.contains("'as'"));
    EXPECT_TRUE(errorOf(QByteArray("Ana")).contains("'ay'"));
    EXPECT_TRUE(errorOf(QVariant::fromValue(QDBusObjectPath("/forms/1"))).contains("'o'"));
    EXPECT_TRUE(errorOf(QVariant::fromValue(QDBusSignature("s"))).contains("'g'"));
    EXPECT_TRUE(errorOf(QVariant::fromValue(QDBusVariant(QString("Ana")))).contains("'v'"));
    EXPECT_TRUE(errorOf(QVariant()).contains("Caption"));
}

TEST(CaptionValue, ObjectPathsFollowTheBusRules) {
    for (const char* good : {"/", "/forms", "/forms/1", "/a_b/C9/_x"})
        EXPECT_TRUE(isValidObjectPath(good)) << good;
    for (const char* bad :
         {"", "forms/1", "/forms/", "//forms", "/forms//1", "/forms/a-b", "/forms/á", "/a b"})
        EXPECT_FALSE(isValidObjectPath(bad)) << bad;
    EXPECT_TRUE(isValidPathElement("lblnasc"));
    for (const char* bad : {"", "lbl/nasc", "..", "lbl nick", "lbl.nick"})
        EXPECT_FALSE(isValidPathElement(bad)) << bad;
}

TEST(CaptionValue, AMemberIsTheObjectBelowTheForm) {
    EXPECT_EQ(memberObjectPath("/forms/1", "lblnasc"), "/forms/1/lblnasc");
    EXPECT_EQ(memberObjectPath("/forms/1", ""), "/forms/1");
    EXPECT_EQ(memberObjectPath("/", "lblnick"), "/lblnick");
}

} // namespace
} // namespace vitalune
