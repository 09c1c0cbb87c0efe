// 'DLOG' and 'ALRT' resources with their item lists ('DITL' of the same ID):
//
//   dialog 130                          alert 10001
//       window at 60,80 size 400x150        window at 60,80 size 400x120
//       kind plain | movable                default 1
//       position alert | center | none      beeps 1
//       title "Warning"                     item 1 button "OK" at 320,88 size 64x20
//       item 1 button "Cancel" at 300,118 size 70x20
//       item 2 text "^0 MHz" at 60,12 size 320x48
//   end                                 end
//
// Item kinds: button, checkbox, radio (a title), text (may use ^0..^3), icon N,
// picture N, user. Items are numbered from 1 in order, and the number is
// written out so that code and source can be read side by side. Texts, icons
// and pictures are disabled unless marked "enabled"; controls are enabled
// unless marked "disabled".
#include "Block.h"

namespace rescomp {

namespace {

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
    bool set = false;
};

struct DialogCommon {
    Geometry window;
    uint16_t position = 0x300A; // alert position on the main screen
    ByteWriter items;
    int itemCount = 0;
};

Geometry readGeometry(Arguments& args)
{
    Geometry g;
    if (args.word("\"at\"") != "at")
        args.fail(args.atEnd() ? "expected at X,Y" : "expected \"at X,Y size WxH\"");
    args.point("the position", g.x, g.y);
    if (args.word("\"size\"") != "size")
        args.fail("expected \"size WxH\" after the position");
    args.size("the size", g.width, g.height);
    g.set = true;
    return g;
}

void readItem(Arguments& args, DialogCommon& d)
{
    const long number = args.integer("the item number", 1, 255);
    if (number != d.itemCount + 1)
        args.fail("item " + std::to_string(number) + ": expected item " + std::to_string(d.itemCount + 1)
            + " next");
    const std::string kind = args.word("the item kind");
    unsigned type = 0;
    std::string data;
    bool enabled = true;
    if (kind == "button" || kind == "checkbox" || kind == "radio") {
        type = kind == "button" ? 4 : kind == "checkbox" ? 5 : 6;
        data = args.string("the title");
    } else if (kind == "text") {
        type = 8;
        data = args.string("the text");
        enabled = false;
    } else if (kind == "icon" || kind == "picture") {
        type = kind == "icon" ? 32 : 64;
        const long id = args.integer("the resource ID", -32768, 32767);
        data.push_back(static_cast<char>((id >> 8) & 0xFF));
        data.push_back(static_cast<char>(id & 0xFF));
        enabled = false;
    } else if (kind == "user") {
        type = 0;
        enabled = false;
    } else {
        args.fail("item: unknown kind \"" + kind + "\" (button, checkbox, radio, text, icon, picture, user)");
    }
    if (data.size() > 255)
        args.fail("item " + std::to_string(number) + ": its text is longer than 255 characters");
    const Geometry g = readGeometry(args);
    while (!args.atEnd()) {
        const std::string option = args.word("an item option");
        if (option == "disabled")
            enabled = false;
        else if (option == "enabled")
            enabled = true;
        else
            args.fail("item: unknown option \"" + option + "\" (enabled, disabled)");
    }
    ByteWriter& w = d.items;
    w.u32(0); // handle placeholder
    w.rect(g.y, g.x, g.y + g.height, g.x + g.width);
    w.u8(type | (enabled ? 0 : 0x80));
    w.u8(static_cast<unsigned>(data.size()));
    w.append(data);
    w.padToEven();
    ++d.itemCount;
}

// Statements shared by dialogs and alerts; false when `s` is none of them.
bool readCommon(const Statement& s, Arguments& args, DialogCommon& d)
{
    const std::string& k = s.keyword();
    if (k == "window") {
        d.window = readGeometry(args);
        args.expectEnd();
    } else if (k == "position") {
        const std::string where = args.word("none, center or alert");
        if (where == "none")
            d.position = 0x0000;
        else if (where == "center")
            d.position = 0x280A;
        else if (where == "alert")
            d.position = 0x300A;
        else
            args.fail("position: expected none, center or alert");
        args.expectEnd();
    } else if (k == "item") {
        readItem(args, d);
    } else {
        return false;
    }
    return true;
}

void finish(SourceReader& reader, const Statement& opening, int id, DialogCommon& d,
    std::vector<CompiledResource>& out)
{
    if (!d.window.set)
        reader.fail(opening.line, opening.keyword() + " " + std::to_string(id) + " has no window statement");
    if (d.itemCount == 0)
        reader.fail(opening.line, opening.keyword() + " " + std::to_string(id) + " has no items");
    ByteWriter ditl;
    ditl.u16(d.itemCount - 1);
    ditl.append(d.items.bytes());
    out.push_back({fourCC("DITL"), static_cast<int16_t>(id), {}, std::move(ditl.bytes()), {}, nullptr});
}

} // namespace

void compileDialog(SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out)
{
    DialogCommon d;
    int procID = 1; // plain dialog box
    std::string title;
    forEachStatement(reader, opening, [&](const Statement& s, Arguments& args) {
        if (readCommon(s, args, d))
            return;
        if (s.keyword() == "kind") {
            const std::string kind = args.word("plain or movable");
            if (kind == "plain")
                procID = 1;
            else if (kind == "movable")
                procID = 5;
            else
                args.fail("kind: expected plain or movable");
            args.expectEnd();
        } else if (s.keyword() == "title") {
            title = args.string("the window title");
            if (title.size() > 255)
                args.fail("title: longer than 255 characters");
            args.expectEnd();
        } else {
            unknownStatement(args, s, "dialog");
        }
    });
    finish(reader, opening, id, d, out);
    ByteWriter w;
    const Geometry& g = d.window;
    w.rect(g.y, g.x, g.y + g.height, g.x + g.width);
    w.s16(procID);
    w.u8(0); // not visible until the program shows it
    w.u8(0);
    w.u8(0); // no close box
    w.u8(0);
    w.u32(0); // refCon
    w.s16(id); // its item list
    w.pascal(title);
    w.padToEven();
    w.u16(d.position);
    out.push_back({fourCC("DLOG"), static_cast<int16_t>(id), {}, std::move(w.bytes()), {}, nullptr});
}

void compileAlert(SourceReader& reader, const Statement& opening, int id, std::vector<CompiledResource>& out)
{
    DialogCommon d;
    int defaultItem = 1;
    int beeps = 1;
    forEachStatement(reader, opening, [&](const Statement& s, Arguments& args) {
        if (readCommon(s, args, d))
            return;
        if (s.keyword() == "default") {
            defaultItem = static_cast<int>(args.integer("the default item", 1, 2));
            args.expectEnd();
        } else if (s.keyword() == "beeps") {
            beeps = static_cast<int>(args.integer("the number of beeps", 0, 3));
            args.expectEnd();
        } else {
            unknownStatement(args, s, "alert");
        }
    });
    finish(reader, opening, id, d, out);
    if (defaultItem > d.itemCount)
        reader.fail(opening.line, "alert " + std::to_string(id) + ": its default item does not exist");
    // Every stage draws the alert, with the same default button and beeps.
    const unsigned stage = (defaultItem == 2 ? 8u : 0u) | 4u | static_cast<unsigned>(beeps);
    ByteWriter w;
    const Geometry& g = d.window;
    w.rect(g.y, g.x, g.y + g.height, g.x + g.width);
    w.s16(id);
    w.u16(stage | stage << 4 | stage << 8 | stage << 12);
    w.u16(d.position);
    out.push_back({fourCC("ALRT"), static_cast<int16_t>(id), {}, std::move(w.bytes()), {}, nullptr});
}

} // namespace rescomp
