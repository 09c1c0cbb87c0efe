// The module's rules for register words, as the 750 and 7400 manuals and the
// kernel's cputable state them. Words are written out, never composed.
#include <korvendale_policy.h>

#include <gtest/gtest.h>
#include <ios>

namespace {

constexpr u32 Untested = 0xFFFFFFFF;
// What the firmware vouches for: a beige G3's 1 MB pipelined burst SRAM, a
// Sawtooth's 1 MB late-write SRAM, each with 0.5 ns hold, no parity.
constexpr u32 BeigeG3 = 0x31000000;
constexpr u32 Sawtooth = 0x31800000;

TEST(ModulePolicy, ProcessorsByTheKernelsTable)
{
    struct {
        u32 pvr;
        kv_cpu cpu;
    } const cases[] = {
        {0x00080202, KV_CPU_750}, // beige G3
        {0x00088302, KV_CPU_750}, // 750L
        {0x00084202, KV_CPU_750}, // 740/750 without thermal unit
        {0x00080100, KV_CPU_ONCHIP}, // the kernel's 750CX
        {0x00082214, KV_CPU_ONCHIP}, // 750CXe
        {0x00083214, KV_CPU_ONCHIP}, // 750CXe "Gekko"
        {0x00087200, KV_CPU_ONCHIP}, // 750CL, the Wii's
        {0x00083203, KV_CPU_ONCHIP}, // 745/755
        {0x70000203, KV_CPU_ONCHIP}, // 750FX
        {0x70020102, KV_CPU_ONCHIP}, // 750GX
        {0x000C0209, KV_CPU_7400},
        {0x800C1102, KV_CPU_7400}, // 7410
        {0x80000201, KV_CPU_745X},
        {0x80040202, KV_CPU_745X}, // 7448
        {0x00090204, KV_CPU_NO_L2CR}, // 604e
        {0x00050000, KV_CPU_UNKNOWN},
        {0x00000000, KV_CPU_UNKNOWN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kv_cpu_of(c.pvr), c.cpu) << std::hex << c.pvr;
        EXPECT_EQ(kv_l2cr_writable(c.cpu), c.cpu == KV_CPU_750 || c.cpu == KV_CPU_7400) << std::hex << c.pvr;
    }
}

TEST(ModulePolicy, L2CRWordsOneRowPerRule)
{
    struct {
        kv_cpu cpu;
        u32 word;
        u32 def;
        bool unverified;
        kv_l2cr_verdict verdict;
    } const cases[] = {
        {KV_CPU_750, 0xB9000000, BeigeG3, false, KV_L2CR_OK}, // 2:1 as vouched
        {KV_CPU_750, 0xA9000000, BeigeG3, false, KV_L2CR_OK}, // a smaller size
        {KV_CPU_750, 0xB9088000, BeigeG3, false, KV_L2CR_OK}, // write-through, DLL slow
        {KV_CPU_750, 0x00000000, Untested, false, KV_L2CR_OK}, // off
        {KV_CPU_750, 0x39000000, Untested, false, KV_L2CR_OK}, // configured, off
        {KV_CPU_750, 0xB9000000, Untested, false, KV_L2CR_NOT_TESTED},
        {KV_CPU_750, 0xB9000000, 0, false, KV_L2CR_NOT_TESTED}, // "bad SRAMs"
        {KV_CPU_750, 0xB9000000, Untested, true, KV_L2CR_OK},
        {KV_CPU_750, 0xB1000000, BeigeG3, false, KV_L2CR_CLOCK}, // enabled, clock off
        {KV_CPU_750, 0xB7000000, BeigeG3, true, KV_L2CR_CLOCK}, // 3.5: the 750's reserved code
        {KV_CPU_750, 0x3F000000, BeigeG3, false, KV_L2CR_CLOCK}, // 4, even with the L2 off
        {KV_CPU_750, 0x89000000, BeigeG3, true, KV_L2CR_RESERVED_CODE}, // no 2 MB on a 750
        {KV_CPU_750, 0xB8800000, BeigeG3, true, KV_L2CR_RESERVED_CODE}, // SRAM type 01
        {KV_CPU_750, 0xB9020000, BeigeG3, true, KV_L2CR_RESERVED_CODE}, // hold 1.5 ns
        {KV_CPU_750, 0xB9800000, BeigeG3, false, KV_L2CR_SRAM}, // late-write
        {KV_CPU_750, 0xB9010000, BeigeG3, false, KV_L2CR_SRAM}, // hold 1.0 ns
        {KV_CPU_750, 0xB9004000, BeigeG3, false, KV_L2CR_SRAM}, // differential clock
        {KV_CPU_750, 0xB9800000, BeigeG3, true, KV_L2CR_OK},
        {KV_CPU_750, 0xF9000000, BeigeG3, false, KV_L2CR_PARITY},
        {KV_CPU_750, 0xF9000000, 0x71000000, false, KV_L2CR_OK}, // the firmware runs parity
        {KV_CPU_750, 0xF9000000, BeigeG3, true, KV_L2CR_OK},
        {KV_CPU_750, 0xB9040000, BeigeG3, true, KV_L2CR_TEST_BIT}, // L2TS
        {KV_CPU_750, 0xB9002000, BeigeG3, true, KV_L2CR_TEST_BIT}, // L2BYP
        {KV_CPU_750, 0xB9200000, BeigeG3, true, KV_L2CR_PROCEDURE_BIT}, // L2I
        {KV_CPU_750, 0xB9000001, BeigeG3, true, KV_L2CR_PROCEDURE_BIT}, // L2IP
        {KV_CPU_750, 0xB9000800, BeigeG3, true, KV_L2CR_RESERVED_BIT}, // L2HWF is the 7400's
        {KV_CPU_750, 0xB9000002, BeigeG3, true, KV_L2CR_RESERVED_BIT},
        {KV_CPU_7400, 0xB9800000, Sawtooth, false, KV_L2CR_OK},
        {KV_CPU_7400, 0xB7800000, Sawtooth, false, KV_L2CR_OK}, // 3.5
        {KV_CPU_7400, 0xBF800000, Sawtooth, false, KV_L2CR_OK}, // 4
        {KV_CPU_7400, 0xB9800700, Sawtooth, false, KV_L2CR_OK}, // L2IO, L2CLKSTP, L2DRO
        {KV_CPU_7400, 0x89800000, Sawtooth, false, KV_L2CR_SIZE}, // -s 2048 on 1 MB
        {KV_CPU_7400, 0x89800000, 0x01800000, false, KV_L2CR_OK}, // on 2 MB
        {KV_CPU_7400, 0x99800000, Sawtooth, true, KV_L2CR_RESERVED_CODE}, // no 256 KB
        {KV_CPU_7400, 0xB8000000, Sawtooth, true, KV_L2CR_RESERVED_CODE}, // no flow-through
        {KV_CPU_7400, 0xB9830000, Sawtooth, true, KV_L2CR_RESERVED_CODE}, // hold code 11
        {KV_CPU_7400, 0xB9800800, Sawtooth, true, KV_L2CR_PROCEDURE_BIT}, // L2HWF
        {KV_CPU_7400, 0xB9801000, Sawtooth, true, KV_L2CR_PROCEDURE_BIT}, // L2FA
        {KV_CPU_7400, 0xB9800002, Sawtooth, true, KV_L2CR_RESERVED_BIT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kv_check_l2cr(c.cpu, c.word, c.def, c.unverified), c.verdict)
            << std::hex << c.word << " on " << std::dec << c.cpu << ", DefL2CR " << std::hex << c.def
            << (c.unverified ? ", unverified" : "");
        EXPECT_NE(kv_l2cr_verdict_text(c.verdict), nullptr);
    }
}

TEST(ModulePolicy, DefL2CRFromWhatTheFirmwareLeft)
{
    struct {
        kv_cpu cpu;
        bool hasValue;
        u32 l2crValue;
        u32 running;
        u32 def;
    } const cases[] = {
        {KV_CPU_750, true, 0xB3A04000, 0, 0x31804000}, // the kernel's own upgrade-card example
        {KV_CPU_750, false, 0, 0xF9088000, 0x71008000}, // parity and DLL slow kept
        {KV_CPU_7400, false, 0, 0xB9800000, 0x31800000},
        {KV_CPU_7400, true, 0x39800000, 0xB9800000, Untested}, // the firmware wants it off
        {KV_CPU_750, false, 0, 0x00000000, Untested},
        {KV_CPU_750, false, 0, 0xB1000000, Untested}, // enabled without a clock
        {KV_CPU_ONCHIP, false, 0, 0x80000000, 0},
        {KV_CPU_745X, false, 0, 0x80000000, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kv_def_l2cr(c.cpu, c.hasValue, c.l2crValue, c.running), c.def) << std::hex << c.running;
}

TEST(ModulePolicy, HID0BitsPerProcessor)
{
    struct {
        kv_cpu cpu;
        bool noDpm;
        bool noBtic;
        u32 managed;
        u32 idle;
    } const cases[] = {
        {KV_CPU_750, false, false, 0x001002A8, 0x00E00000},
        {KV_CPU_7400, true, false, 0x000002A8, 0x00E00000}, // CPU_FTR_NO_DPM
        {KV_CPU_7400, false, true, 0x00100288, 0x00E00000}, // CPU_FTR_NO_BTIC
        {KV_CPU_ONCHIP, true, false, 0x000002A8, 0x00E00000}, // a 750FX 1.x
        {KV_CPU_745X, false, false, 0, 0x00600000}, // bit 8 enables the high BATs there
        {KV_CPU_NO_L2CR, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kv_hid0_managed(c.cpu, c.noDpm, c.noBtic), c.managed) << c.cpu;
        EXPECT_EQ(kv_hid0_idle(c.cpu), c.idle) << c.cpu;
    }
}

TEST(ModulePolicy, HID0WordsChangeManagedBitsOnly)
{
    constexpr u32 G4 = 0x001002A8, G4Idle = 0x00E00000, G4eIdle = 0x00600000;
    struct {
        u32 managed;
        u32 idle;
        u32 now;
        u32 word;
        kv_hid0_verdict verdict;
        u32 after;
    } const cases[] = {
        {G4, G4Idle, 0x0010C0AC, 0x0000C2AC, KV_HID0_OK, 0x0000C2AC}, // DPM off, SPD on
        {G4, G4Idle, 0x0010C0AC, 0x0010C0A4, KV_HID0_ABE_CLEARED, 0},
        {G4, G4Idle, 0x0010C0A4, 0x0010C0A4, KV_HID0_ABE_CLEARED, 0}, // even as it reads
        {G4, G4Idle, 0x0010C0AC, 0x001040AC, KV_HID0_UNMANAGED, 0}, // ICE
        {G4, G4Idle, 0x0010C0AC, 0x8010C0AC, KV_HID0_UNMANAGED, 0}, // EMCP
        {G4, G4Idle, 0x0090C0AC, 0x0000C0AC, KV_HID0_OK, 0x0080C0AC}, // the idle loop's DOZE stays
        {G4, G4Idle, 0x0010C0AC, 0x0070C0AC, KV_HID0_OK, 0x0010C0AC}, // NAP, SLEEP never written
        {0x000002A8, G4Idle, 0x0000C0AC, 0x0010C0AC, KV_HID0_UNMANAGED, 0}, // DPM on a part without it
        {0, G4eIdle, 0x0050C0BC, 0x0010C0BC, KV_HID0_OK, 0x0050C0BC}, // a 7450 naps too
        {0, G4eIdle, 0x0010C0BC, 0x0010C0B4, KV_HID0_UNMANAGED, 0}, // its FOLD is not ABE
        {0, G4eIdle, 0x0010C0BC, 0x0090C0BC, KV_HID0_UNMANAGED, 0}, // its high BATs no DOZE
        {0, 0, 0x0000C084, 0x0040C084, KV_HID0_UNMANAGED, 0}, // a 604e never idles in HID0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.now << " <- " << c.word);
        EXPECT_EQ(kv_check_hid0(c.managed, c.idle, c.now, c.word), c.verdict);
        if (c.verdict == KV_HID0_OK) {
            EXPECT_EQ(kv_apply_hid0(c.managed, c.now, c.word), c.after);
        }
    }
}

// A junction at `tenths` / 10 degrees behind a comparator that counts its uses.
struct Junction {
    int tenths;
    int comparisons = 0;
    int failAt = -1;
};

int compare(void* ctx, unsigned int threshold)
{
    auto* j = static_cast<Junction*>(ctx);
    ++j->comparisons;
    if (static_cast<int>(threshold) == j->failAt)
        return -5;
    return j->tenths > static_cast<int>(threshold) * 10 ? 1 : 0;
}

TEST(ModulePolicy, TemperatureIsTheRightSideOfTheStep)
{
    struct {
        int tenths;
        int celsius;
    } const cases[] = {{455, 46}, {450, 45}, {3, 1}, {0, 0}, {-50, 0}, {1275, 128}, {2000, 128}};
    for (const auto& c : cases) {
        Junction j {c.tenths};
        int celsius = -1;
        EXPECT_EQ(kv_junction_celsius(compare, &j, &celsius), 0);
        EXPECT_EQ(celsius, c.celsius) << c.tenths;
        EXPECT_LE(j.comparisons, 8) << c.tenths; // preemption stays off this long
    }
    Junction failing {455, 0, 64};
    int celsius = -1;
    EXPECT_EQ(kv_junction_celsius(compare, &failing, &celsius), -5);
    EXPECT_EQ(celsius, -1);
}

} // namespace
