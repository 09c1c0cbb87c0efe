// The icons of stop, note and caution alerts, drawn as 32x32 pixel art of
// our own: a red octagon with a white bar, a blue disc with an "i", a yellow
// triangle with an exclamation mark.
#include "appearance/AlertIcons.h"

#include <cstdint>

namespace toolbox {

namespace {

struct Ink {
    char key;
    uint32_t rgb;
};

struct IconArt {
    const Ink* inks;
    int inkCount;
    const char* rows[32];
};

const Ink kStopInks[] = {{'R', 0x7A0000}, {'r', 0xD42020}, {'h', 0xF06060}, {'w', 0xFFFFFF}};
const IconArt kStop = {kStopInks, 4,
    {
        "................................",
        ".........RRRRRRRRRRRRRR.........",
        "........RRRhhhhhhhhhhRRR........",
        ".......RRRhrrrrrrrrrrhRRR.......",
        "......RRRhrrrrrrrrrrrrhRRR......",
        ".....RRRhrrrrrrrrrrrrrrrRRR.....",
        "....RRRhrrrrrrrrrrrrrrrrrRRR....",
        "...RRRhrrrrrrrrrrrrrrrrrrrRRR...",
        "..RRRhrrrrrrrrrrrrrrrrrrrrrRRR..",
        ".RRRhrrrrrrrrrrrrrrrrrrrrrrrRRR.",
        ".RRhrrrrrrrrrrrrrrrrrrrrrrrrrRR.",
        ".RhrrrrrrrrrrrrrrrrrrrrrrrrrrrR.",
        ".RhrrrrrrrrrrrrrrrrrrrrrrrrrrrR.",
        ".RhrrrrwwwwwwwwwwwwwwwwwwrrrrrR.",
        ".RhrrrrwwwwwwwwwwwwwwwwwwrrrrrR.",
        ".RhrrrrwwwwwwwwwwwwwwwwwwrrrrrR.",
        ".RhrrrrwwwwwwwwwwwwwwwwwwrrrrrR.",
        ".RhrrrrwwwwwwwwwwwwwwwwwwrrrrrR.",
        ".RhrrrrwwwwwwwwwwwwwwwwwwrrrrrR.",
        ".RhrrrrrrrrrrrrrrrrrrrrrrrrrrrR.",
        ".RhrrrrrrrrrrrrrrrrrrrrrrrrrrrR.",
        ".RRhrrrrrrrrrrrrrrrrrrrrrrrrrRR.",
        ".RRRhrrrrrrrrrrrrrrrrrrrrrrrRRR.",
        "..RRRrrrrrrrrrrrrrrrrrrrrrrRRR..",
        "...RRRrrrrrrrrrrrrrrrrrrrrRRR...",
        "....RRRrrrrrrrrrrrrrrrrrrRRR....",
        ".....RRRrrrrrrrrrrrrrrrrRRR.....",
        "......RRRrrrrrrrrrrrrrrRRR......",
        ".......RRRrrrrrrrrrrrrRRR.......",
        "........RRRrrrrrrrrrrRRR........",
        ".........RRRRRRRRRRRRRR.........",
        "................................",
    }};

const Ink kNoteInks[] = {{'B', 0x14306A}, {'b', 0x2F62C0}, {'w', 0xFFFFFF}};
const IconArt kNote = {kNoteInks, 3,
    {
        "................................",
        "............BBBBBBBB............",
        ".........BBBBbbbbbbBBBB.........",
        "........BBbbbbbbbbbbbbBB........",
        "......BBbbbbbbbbbbbbbbbbBB......",
        ".....BBbbbbbbbbbbbbbbbbbbBB.....",
        "....BBbbbbbbbbbbbbbbbbbbbbBB....",
        "....BbbbbbbbbbbwwbbbbbbbbbbB....",
        "...BbbbbbbbbbbwwwwbbbbbbbbbbB...",
        "..BBbbbbbbbbbbwwwwbbbbbbbbbbBB..",
        "..BbbbbbbbbbbbbwwbbbbbbbbbbbbB..",
        "..BbbbbbbbbbbbbbbbbbbbbbbbbbbB..",
        ".BBbbbbbbbbbbbbbbbbbbbbbbbbbbBB.",
        ".BbbbbbbbbbbwwwwwwbbbbbbbbbbbbB.",
        ".BbbbbbbbbbbbbwwwwbbbbbbbbbbbbB.",
        ".BbbbbbbbbbbbbwwwwbbbbbbbbbbbbB.",
        ".BbbbbbbbbbbbbwwwwbbbbbbbbbbbbB.",
        ".BbbbbbbbbbbbbwwwwbbbbbbbbbbbbB.",
        ".BbbbbbbbbbbbbwwwwbbbbbbbbbbbbB.",
        ".BBbbbbbbbbbbbwwwwbbbbbbbbbbbBB.",
        "..BbbbbbbbbbbbwwwwbbbbbbbbbbbB..",
        "..BbbbbbbbbbbbwwwwbbbbbbbbbbbB..",
        "..BBbbbbbbbbbbwwwwbbbbbbbbbbBB..",
        "...BbbbbbbbbbbwwwwbbbbbbbbbbB...",
        "....BbbbbbbbbbwwwwbbbbbbbbbB....",
        "....BBbbbbbbwwwwwwwwbbbbbbBB....",
        ".....BBbbbbbbbbbbbbbbbbbbBB.....",
        "......BBbbbbbbbbbbbbbbbbBB......",
        "........BBbbbbbbbbbbbbBB........",
        ".........BBBBbbbbbbBBBB.........",
        "............BBBBBBBB............",
        "................................",
    }};

const Ink kCautionInks[] = {{'k', 0x000000}, {'y', 0xF8D030}};
const IconArt kCaution = {kCautionInks, 2,
    {
        "................................",
        "................................",
        "...............kk...............",
        "...............kk...............",
        "..............kkkk..............",
        "..............kkkk..............",
        ".............kkyykk.............",
        ".............kkyykk.............",
        "............kkyyyykk............",
        "............kkyyyykk............",
        "...........kkyykkyykk...........",
        "...........kkykkkkykk...........",
        "..........kkyykkkkyykk..........",
        "..........kkyykkkkyykk..........",
        ".........kkyyykkkkyyykk.........",
        ".........kkyyykkkkyyykk.........",
        "........kkyyyykkkkyyyykk........",
        "........kkyyyyykkyyyyykk........",
        ".......kkyyyyyykkyyyyyykk.......",
        ".......kkyyyyyykkyyyyyykk.......",
        "......kkyyyyyyykkyyyyyyykk......",
        "......kkyyyyyyyyyyyyyyyykk......",
        ".....kkyyyyyyyyyyyyyyyyyykk.....",
        "....kkkyyyyyyyykkyyyyyyyykkk....",
        "....kkyyyyyyyyykkyyyyyyyyykk....",
        "...kkkyyyyyyyyykkyyyyyyyyykkk...",
        "...kkyyyyyyyyyyyyyyyyyyyyyykk...",
        "..kkyyyyyyyyyyyyyyyyyyyyyyyykk..",
        "..kkyyyyyyyyyyyyyyyyyyyyyyyykk..",
        ".kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.",
        ".kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.",
        "................................",
    }};

} // namespace

void drawAlertIcon(int kind, const Rect& r)
{
    const IconArt* art = kind == 0 ? &kStop : kind == 1 ? &kNote : kind == 2 ? &kCaution : nullptr;
    if (!art)
        return;
    // One rectangle per run of a colour; "." is transparent.
    for (int y = 0; y < 32; ++y) {
        const char* row = art->rows[y];
        int x = 0;
        while (x < 32) {
            const char key = row[x];
            int end = x + 1;
            while (end < 32 && row[end] == key)
                ++end;
            for (int i = 0; i < art->inkCount; ++i) {
                if (art->inks[i].key != key)
                    continue;
                const uint32_t rgb = art->inks[i].rgb;
                const RGBColor colour = {UInt16(((rgb >> 16) & 0xFF) * 0x101),
                    UInt16(((rgb >> 8) & 0xFF) * 0x101), UInt16((rgb & 0xFF) * 0x101)};
                RGBForeColor(&colour);
                Rect run;
                SetRect(&run, short(r.left + x), short(r.top + y), short(r.left + end), short(r.top + y + 1));
                PaintRect(&run);
            }
            x = end;
        }
    }
}

} // namespace toolbox
