#include "SimControllerHarness.h"

#include "firmware/Crc16.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace simtest;

TEST(Crc16Arc, MatchesTheCheckValues)
{
    const std::string digits = "123456789";
    const std::string abc = "abc";
    EXPECT_EQ(Crc16Arc(reinterpret_cast<const uint8_t*>(digits.data()), digits.size()), 0xBB3D);
    EXPECT_EQ(Crc16Arc(reinterpret_cast<const uint8_t*>(abc.data()), abc.size()), 0x9738);
    EXPECT_EQ(Crc16Arc(nullptr, 0), 0x0000);
}

Bytes Block(const Bytes& data)
{
    Bytes block = data;
    const uint16_t crc = Crc16Arc(data.data(), data.size());
    block.push_back(static_cast<uint8_t>(crc >> 8));
    block.push_back(static_cast<uint8_t>(crc & 0xFF));
    return block;
}

Bytes Image(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

class SimUpgradeTest : public ::testing::Test {
protected:
    SimClock clock;
    SimLightingController controller{clock};

    void EnterUpgradeCode()
    {
        Set(controller, 0x02, {0x00, 0x10});
        ASSERT_FALSE(controller.Present());
        clock.Advance(1999);
        ASSERT_FALSE(controller.Present());
        clock.Advance(1);
        ASSERT_TRUE(controller.Present());
        ASSERT_TRUE(controller.InUpgradeCode());
    }

    void Download(const Bytes& image, size_t blockData)
    {
        Set(controller, 0x82, {0x10});
        int reports = 0;
        TakeArrivedData(controller, &reports);
        EXPECT_EQ(reports, 1);   // the begin command is acknowledged with one report
        for (size_t at = 0; at < image.size(); at += blockData) {
            const size_t n = std::min(blockData, image.size() - at);
            Set(controller, 0x83, Block(Bytes(image.begin() + static_cast<std::ptrdiff_t>(at),
                                              image.begin() + static_cast<std::ptrdiff_t>(at + n))));
        }
        Set(controller, 0x84, {0x10});
    }

    void RestartToNormal()
    {
        Set(controller, 0xFF, {0x10});
        ASSERT_FALSE(controller.Present());
        clock.Advance(300);
        ASSERT_TRUE(controller.Present());
        ASSERT_FALSE(controller.InUpgradeCode());
    }

    std::string Version()
    {
        Get(controller, 0x01, {0x00});
        Bytes text;
        if (!TakeReply(controller, text)) return "<no reply>";
        return std::string(text.begin(), std::find(text.begin(), text.end(), 0));
    }
};

TEST_F(SimUpgradeTest, ReportsTheUpgradeFlagWhileItsUpgradeCodeRuns)
{
    EnterUpgradeCode();
    Get(controller, 0x00);
    Bytes info;
    ASSERT_TRUE(TakeReply(controller, info));
    ASSERT_EQ(info.size(), 18u);
    EXPECT_EQ(info[0], 0x80);
    EXPECT_EQ(info[1], 0x00);
    EXPECT_EQ((Bytes{info.begin() + 4, info.begin() + 6}), (Bytes{0x00, 0x40}));   // maxPayload
}

TEST_F(SimUpgradeTest, AdoptsAnImageWhoseBlocksCheckOutAndTakesItsVersion)
{
    EXPECT_EQ(Version(), "1.0.3");
    const Bytes image = Image(std::string(100, 'x') + SimLightingController::kImageVersionTag + "2.1.0\n" +
                              std::string(40, 'y'));
    EnterUpgradeCode();
    Download(image, 62);
    EXPECT_FALSE(controller.UpgradeFailed());
    RestartToNormal();

    EXPECT_EQ(controller.WrittenImage(), image);
    EXPECT_EQ(controller.UpgradeCount(), 1);
    EXPECT_EQ(Version(), "2.1.0");
}

TEST_F(SimUpgradeTest, BlockWithABadCrcFailsTheDownload)
{
    const Bytes image = Image(std::string(SimLightingController::kImageVersionTag) + "9.9.9" + std::string(200, 'z'));
    EnterUpgradeCode();
    controller.CorruptNextBlock();
    Download(image, 62);
    EXPECT_TRUE(controller.UpgradeFailed());
    RestartToNormal();

    EXPECT_EQ(controller.UpgradeCount(), 0);
    EXPECT_EQ(Version(), "1.0.3");
}

TEST_F(SimUpgradeTest, BlockWithItsCrcBytesSwappedFails)
{
    EnterUpgradeCode();
    Set(controller, 0x82, {0x10});
    Bytes block = Block(Image("abc"));
    EXPECT_EQ((Bytes{block.end() - 2, block.end()}), (Bytes{0x97, 0x38}));
    std::swap(block[3], block[4]);
    Set(controller, 0x83, block);
    EXPECT_TRUE(controller.UpgradeFailed());
}

TEST_F(SimUpgradeTest, ImageWithoutVersionTagKeepsTheVersion)
{
    EnterUpgradeCode();
    Download(Image("plain image"), 62);
    RestartToNormal();
    EXPECT_EQ(controller.UpgradeCount(), 1);
    EXPECT_EQ(Version(), "1.0.3");
}

TEST_F(SimUpgradeTest, RestartLeftInUpgradeCodeReturnsToNormalFirmware)
{
    EnterUpgradeCode();
    RestartToNormal();
    EXPECT_EQ(controller.UpgradeCount(), 0);
}

}  // namespace
