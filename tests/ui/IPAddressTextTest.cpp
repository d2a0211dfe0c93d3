// The IP address entry's text conversion: four numbers from 0 to 255 whatever text is set.
#include "ui/rules/IPAddressText.h"

#include <gtest/gtest.h>

TEST(IPAddressText, WellFormedAddressesStayAsTheyAre) {
    EXPECT_EQ(ConvertIPAddressText("192.168.1.10"), "192.168.1.10");
    EXPECT_EQ(ConvertIPAddressText("0.0.0.0"), "0.0.0.0");
    EXPECT_EQ(ConvertIPAddressText("255.255.255.255"), "255.255.255.255");
    // Leading zeros are decimal, not octal.
    EXPECT_EQ(ConvertIPAddressText("010.001.000.099"), "10.1.0.99");
}

TEST(IPAddressText, NumbersKeepTheirLowEightBits) {
    EXPECT_EQ(ConvertIPAddressText("10.0.0.300"), "10.0.0.44");
    EXPECT_EQ(ConvertIPAddressText("256.257.512.65535"), "0.1.0.255");
    EXPECT_EQ(ConvertIPAddressText("-1.-256.-300.-2147483648"), "255.0.212.0");
    EXPECT_EQ(ConvertIPAddressText("2147483647.+7.4.4"), "255.7.4.4");
}

TEST(IPAddressText, MissingPiecesAreZero) {
    EXPECT_EQ(ConvertIPAddressText(""), "0.0.0.0");
    EXPECT_EQ(ConvertIPAddressText("192.168"), "192.168.0.0");
    EXPECT_EQ(ConvertIPAddressText("192.168.1."), "192.168.1.0");
    EXPECT_EQ(ConvertIPAddressText("..."), "0.0.0.0");
    EXPECT_EQ(ConvertIPAddressText(".5"), "0.5.0.0");
}

TEST(IPAddressText, PiecesThatAreNoIntegersAreZero) {
    EXPECT_EQ(ConvertIPAddressText("abc"), "0.0.0.0");
    EXPECT_EQ(ConvertIPAddressText("1.2.3.4.5"), "1.2.3.0"); // the fourth piece is "4.5"
    EXPECT_EQ(ConvertIPAddressText("1x.2.3.4"), "0.2.3.4");
    EXPECT_EQ(ConvertIPAddressText("0x10.+.-.--1"), "0.0.0.0");
    EXPECT_EQ(ConvertIPAddressText("1 2.3.4.5"), "0.3.4.5");
    // Past 32 bits a piece is no integer, so its low bits are not taken.
    EXPECT_EQ(ConvertIPAddressText("2147483648.4294967296.-2147483649.99999999999999999999"), "0.0.0.0");
    EXPECT_EQ(ConvertIPAddressText(std::string("1\0.2.3.4", 8)), "0.2.3.4");
}

TEST(IPAddressText, BlanksAroundAPieceAreIgnored) {
    EXPECT_EQ(ConvertIPAddressText(" 10 .\t0.0 . 7 "), "10.0.0.7");
    EXPECT_EQ(ConvertIPAddressText(" . . . "), "0.0.0.0");
}
