// The Linux virtual terminal under the framebuffer, taken for the run and
// handed back whole: graphics mode (the text console stops drawing), its
// keyboard off (keys reach only us, through evdev, not the shell), and VT
// switches done by request, so the screen is left alone while another
// terminal shows. Everything taken, the colour map included, is given back
// at exit, by std::exit, on a fatal signal (then re-raised) and on a second
// SIGTERM or SIGINT.
#pragma once

#include <linux/fb.h>

#include <string>

namespace toolbox {

class FbConsole {
public:
    enum class Switch { None, Released, Acquired };

    // The terminal of standard input when it is one, else the one showing.
    // Without either (no VT in the kernel, or no right to it) the run goes on
    // and *warning says so; false, with the reason, when another program
    // shows graphics there.
    bool take(std::string& error, std::string& warning);
    // Readable when a VT switch asks for an answer (-1 without a terminal).
    int switchDescriptor() const;
    // Answers the pending switch requests; tells the last.
    Switch takeSwitch();
    bool showing() const;
    // Ctrl-Alt-F<n>: the keyboard is ours, so switching is ours to do.
    void activate(int terminal) const;

    // The device's colour map to restore at exit (before the program loads its own).
    static void keepColourMap(int fb, const fb_cmap& current);
    // Gives everything back; async-signal-safe, once.
    static void restore();
};

} // namespace toolbox
