// 'MENU' resources:
//
//   menu 1
//       title "Ratio"
//       item "Automatic" disabled
//       item "Quit" key Q
//       separator
//   end
#include "Block.h"

namespace rescomp {

namespace {

struct MenuItem {
    std::string text;
    unsigned char key = 0;
    unsigned char mark = 0;
    bool enabled = true;
};

} // namespace

void compileMenu(SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out)
{
    std::string title;
    bool haveTitle = false;
    std::vector<MenuItem> items;

    forEachStatement(reader, opening, [&](const Statement& s, Arguments& args) {
        const std::string& k = s.keyword();
        if (k == "title") {
            title = args.string("the menu title");
            if (title.size() > 255)
                args.fail("title: longer than 255 characters");
            haveTitle = true;
        } else if (k == "item") {
            MenuItem item;
            item.text = args.string("the item text");
            if (item.text.empty() || item.text.size() > 255)
                args.fail("item: the text must have 1 to 255 characters");
            while (!args.atEnd()) {
                const std::string option = args.word("an item option");
                if (option == "disabled") {
                    item.enabled = false;
                } else if (option == "checked") {
                    item.mark = 0x12;
                } else if (option == "key") {
                    const std::string key = args.word("the command key");
                    if (key.size() != 1)
                        args.fail("key: the command key is one character");
                    item.key = static_cast<unsigned char>(key[0]);
                } else {
                    args.fail("item: unknown option \"" + option + "\" (disabled, checked, key C)");
                }
            }
            items.push_back(item);
        } else if (k == "separator") {
            args.expectEnd();
            items.push_back({"-", 0, 0, false});
        } else {
            unknownStatement(args, s, "menu");
        }
    });
    if (!haveTitle)
        reader.fail(opening.line, "menu " + std::to_string(id) + " has no title");
    if (items.empty())
        reader.fail(opening.line, "menu " + std::to_string(id) + " has no items");

    // Bit 0 enables the whole menu, bit n item n; items past 31 are always enabled.
    uint32_t enableFlags = 1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].enabled && i + 1 < 32)
            enableFlags |= 1u << (i + 1);
    }
    ByteWriter w;
    w.s16(id);
    w.u16(0); // width, computed when the menu is used
    w.u16(0); // height
    w.u16(0); // standard menu definition
    w.u16(0);
    w.u32(enableFlags);
    w.pascal(title);
    for (const MenuItem& item : items) {
        w.pascal(item.text);
        w.u8(0); // no icon
        w.u8(item.key);
        w.u8(item.mark);
        w.u8(0); // plain style
    }
    w.u8(0);
    out.push_back({fourCC("MENU"), static_cast<int16_t>(id), {}, std::move(w.bytes()), {}, nullptr});
}

} // namespace rescomp
