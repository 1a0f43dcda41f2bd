#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/DriverSettings.h"
#include "adapter/ports/AdapterRegistry.h"
#include "adapter/ports/gpiod/GpioAdapterKind.h"
#include "adapter/ports/gpiod/GpiodAdapter.h"
#include "adapter/ports/gpiod/GpiodSimulation.h"
#include "driver/SingleWordCommands.h"
#include "driver/WholeChipCommands.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pemrix {
namespace {

// A Raspberry Pi 5's header chip, as the kernel numbered it before 2024.
const GpioChipEntry kPi5Header{"/dev/gpiochip4", "pinctrl-rp1", 54};

GpioWiring ChipNamed(std::string chip)
{
    GpioWiring wiring;
    wiring.chip = std::move(chip);
    return wiring;
}

GpioWiring DataOutAt(unsigned offset)
{
    GpioWiring wiring;
    wiring.dataOut = offset;
    return wiring;
}

// The built-in driver over a simulated gpiochip with one 93Cxx wired to the default pins.
class GpiodAdapterTest : public ::testing::Test
{
protected:
    TemporaryFolder m_folder;
    std::shared_ptr<VirtualBusClock> m_clock = std::make_shared<VirtualBusClock>();
    std::shared_ptr<GpiodSimulation> m_gpio;
    BuiltInDriver m_driver{nullptr};

    GpiodSimulation& Wire(EepromType type, PartClass partClass = PartClass::Any,
                          GpioWiring driverWiring = {}, GpioChipEntry entry = kPi5Header)
    {
        m_gpio = std::make_shared<GpiodSimulation>(*m_clock, entry, GpioWiring{},
                                                   *FindMicrowireGeometry(type), partClass);
        m_driver = BuiltInDriver(std::make_shared<BuiltInPortConnector>(
            std::make_shared<VirtualAdapter>(m_folder.Path() / "chips", BusTiming{}),
            ParportDirectory(m_folder.Path() / "proc", "/dev"), PpdevSetup{}, UsbSetup{},
            AdapterSetups{{kGpioFamily, GpioSetup{m_gpio, m_clock, BusTimingFor(partClass),
                                                  std::move(driverWiring)}}}));
        return *m_gpio;
    }

    static std::uint32_t Port() { return PortValue(AdapterPortId("GPIO", kPi5Header.label)); }
};

// In the slowest part class and the fastest, each chip held to its class's figures.
TEST_F(GpiodAdapterTest, EveryCommandOnEveryTypeThroughTheGpioLines)
{
    for (const PartClass partClass : {PartClass::Any, PartClass::From4V5}) {
        for (const EepromTypeInfo& type : EepromTypes()) {
            SCOPED_TRACE(std::string(PartClassOf(partClass).name) + " " + std::string(type.name));
            GpiodSimulation& gpio = Wire(type.code, partClass);
            const std::uint32_t last = type.words - 1;
            EXPECT_TRUE(WriteWord(m_driver, Port(), type.code, last, 0xC0DE).succeeded);
            EXPECT_EQ(ReadWord(m_driver, Port(), type.code, last).dialogData, 0xC0DEu);
            EXPECT_TRUE(EraseWord(m_driver, Port(), type.code, last).succeeded);
            EXPECT_EQ(gpio.Chip().Words()[last], 0xFFFF);
            EXPECT_TRUE(Wral(m_driver, Port(), type.code, 0x5AA5).succeeded);
            EXPECT_EQ(gpio.Chip().Words()[0], 0x5AA5);
            EXPECT_TRUE(Eral(m_driver, Port(), type.code).succeeded);
            std::vector<std::uint32_t> pattern(type.words);
            for (std::uint32_t i = 0; i < type.words; ++i)
                pattern[i] = (i * 0x9E37u + 0x1234u) & 0xFFFF;
            EXPECT_TRUE(WriteAll(m_driver, Port(), type.code, pattern).succeeded);
            const ImageCommandResult image = ReadAll(m_driver, Port(), type.code);
            EXPECT_TRUE(image.succeeded);
            EXPECT_EQ(image.words, pattern);
            EXPECT_FALSE(gpio.Chip().WriteEnabled());
            EXPECT_FALSE(gpio.Requested());
            EXPECT_EQ(gpio.Chip().TimingViolations(), std::vector<std::string>());
        }
    }
}

// Each fault ends the command with its status and the chip write-protected.
TEST_F(GpiodAdapterTest, EachFaultHasItsStatus)
{
    struct Case
    {
        const char* what;
        std::function<void(GpiodSimulation&)> fault;
        GpioWiring driverWiring;
        std::uint32_t errorCode;
        GpioChipEntry entry = kPi5Header;
    };
    const Case cases[] = {
        {"not permitted", [](GpiodSimulation& g) { g.Faults().requestError = EACCES; }, {}, 25},
        {"line held by the SPI driver",
         [](GpiodSimulation& g) { g.Faults().requestError = EBUSY; },
         {},
         26},
        {"offset beyond the chip", [](GpiodSimulation&) {}, DataOutAt(60), 27},
        {"another board's header chip",
         [](GpiodSimulation&) {},
         {},
         24,
         {"/dev/gpiochip0", "pinctrl-bcm2711", 54}},
        {"the chip driver.conf names not there",
         [](GpiodSimulation&) {},
         ChipNamed("pinctrl-rp1"),
         24,
         {"/dev/gpiochip0", "INT34C6:00", 360}},
        {"chip gone during the command",
         [](GpiodSimulation& g) { g.Faults().goneAtCall = 600; },
         {},
         24},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        GpiodSimulation& gpio = Wire(EepromType{6}, PartClass::Any, test.driverWiring, test.entry);
        test.fault(gpio);
        const std::vector<std::uint32_t> image(1024, 0x1234);
        const DriverResult write = WriteAll(m_driver, Port(), EepromType{6}, image);
        EXPECT_FALSE(write.succeeded);
        EXPECT_EQ(write.errorCode, test.errorCode);
        EXPECT_FALSE(gpio.Chip().WriteEnabled());
    }
}

// The header chip is found by its label: renumbered by a newer kernel it keeps its port, and
// a chip of another label is only offered when driver.conf names it.
TEST_F(GpiodAdapterTest, ChipsAreListedByLabelWhateverTheirNumber)
{
    struct Case
    {
        GpioChipEntry entry;
        GpioWiring wiring;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {kPi5Header, {}, {"GPIO adapter (gpiochip4, pinctrl-rp1)"}},
        {{"/dev/gpiochip0", "pinctrl-rp1", 54}, {}, {"GPIO adapter (gpiochip0, pinctrl-rp1)"}},
        {{"/dev/gpiochip1", "INT34C6:00", 360}, {}, {}},
        {{"/dev/gpiochip1", "INT34C6:00", 360},
         ChipNamed("INT34C6:00"),
         {"GPIO adapter (gpiochip1, INT34C6:00)"}},
        {{"/dev/gpiochip1", "INT34C6:00", 360},
         ChipNamed("/dev/gpiochip1"),
         {"GPIO adapter (gpiochip1, INT34C6:00)"}},
    };
    for (const Case& test : cases) {
        AdapterWorld world{};
        world.setups[kGpioFamily] =
            GpioSetup{std::make_shared<GpiodSimulation>(*m_clock, test.entry, GpioWiring{},
                                                        *FindMicrowireGeometry(1)),
                      m_clock,
                      {},
                      test.wiring};
        std::vector<std::string> names;
        for (const AdapterPlace& place : ListAdapters(world)) {
            if (place.kind->family == "GPIO") {
                names.push_back(place.name);
                EXPECT_EQ(place.id, AdapterPortId("GPIO", test.entry.label));
            }
        }
        EXPECT_EQ(names, test.names) << test.entry.path;
    }
}

TEST(GpioSettings, LinesAreFourOffsetsForCsSkDiAndDo)
{
    struct Case
    {
        const char* text;
        std::array<unsigned, 3> outputs;
        unsigned dataOut;
        bool noticed;
    };
    const Case cases[] = {
        {"", {8, 11, 10}, 9, false},
        {"gpio_lines = 17, 27, 22, 23\n", {17, 27, 22}, 23, false},
        {"gpio_lines=17,27,22\n", {8, 11, 10}, 9, true},
        {"gpio_lines=17,27,22,23,24\n", {8, 11, 10}, 9, true},
        {"gpio_lines=17,x,22,23\n", {8, 11, 10}, 9, true},
        {"gpio_lines=17,,22,23\n", {8, 11, 10}, 9, true},
    };
    // The wiring the registry's GPIO row makes of driver.conf.
    const auto wiringOf = [](const char* text, std::vector<std::string>& notices) {
        const DriverSettings settings = ParseDriverSettings(text);
        notices = settings.notices;
        const AdapterSetups setups = MakeAdapterSetups({}, nullptr, settings, &notices);
        return std::any_cast<GpioSetup>(setups.at(kGpioFamily)).wiring;
    };
    std::vector<std::string> notices;
    for (const Case& test : cases) {
        const GpioWiring wiring = wiringOf(test.text, notices);
        EXPECT_EQ(wiring.outputs, test.outputs) << test.text;
        EXPECT_EQ(wiring.dataOut, test.dataOut) << test.text;
        EXPECT_EQ(notices.size(), test.noticed ? 1u : 0u) << test.text;
    }
    EXPECT_EQ(wiringOf("gpio_chip=pinctrl-bcm2711\n", notices).chip, "pinctrl-bcm2711");
}

} // namespace
} // namespace pemrix
