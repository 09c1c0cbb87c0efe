#!/usr/bin/python3
"""Tarnwick X on the framebuffer of an emulated Macintosh, driven from the host.

    screen.py --machine mac99 --cpu 7400 --kernel VMLINUX --initrd CPIO
              --bin HOST_BIN --work DIR --expected FILE [--update-expected]

Boots QEMU paused with its serial console and its monitor (QMP) on unix
sockets, then follows the guest's serial lines: once Tarnwick X has drawn its
first frame it clicks and types through QMP `input-send-event` (a USB tablet
for the pointer, the ADB keyboard for keys), takes `screendump`s, and asks
the guest for its registers after each step ("report TEXT"). The host renders
the same clicks headless on a simulated Macintosh given the guest's values;
the window's area of every screen must be identical, pixel for pixel. After
Command-Q the preferences the guest saved must equal the simulated machine's,
and Korvendale Startup at the guest's next power-on must set L2CR and HID0 as
it does when the simulated machine boots. The guest's transcript must equal
the expected one. The guest's whole screen on the Tarnwick tab is kept as
DIR/tarnwick.png. Standard library only.
"""

import argparse
import json
import os
import re
import shutil
import socket
import struct
import subprocess
import sys
import time
import zlib

# The 640x480 Mac screen is centred on the guest's framebuffer.
MAC_W, MAC_H = 640, 480
TABLET_RANGE = 0x8000  # QEMU's absolute axes run 0..0x7FFF
SETTLE_POLL = 0.1
STEP_TIMEOUT = 60.0
# Where the pointer rests for a screendump: on the desktop, off the window.
REST = (630, 470)
# Gestalt machine types QEMU's machines answer (by the device tree, as the
# programs find them on a real Macintosh).
MACHINE_TYPES = {"mac99": 406, "g3beige": 510}
PRESETS = {"mac99": "sawtooth-400", "g3beige": "bw-g3-400"}
PREFS = "System/Library/StartupItems/Korvendale Startup/Tarnwick X Prefs"
HID0_MANAGED = 0x001002A8  # DPM SPD SGE BTIC ABE: what the startup item sets


class Failure(Exception):
    pass


def log(text):
    print(f"[screen] {text}", flush=True)


# ------------------------------------------------------------------ images
class Image:
    """RGB pixels, 3 bytes each, rows packed."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    def crop(self, left, top, width, height):
        rows = []
        for y in range(top, top + height):
            start = (y * self.width + left) * 3
            rows.append(self.rgb[start : start + width * 3])
        return Image(width, height, b"".join(rows))

    def first_difference(self, other):
        if (self.width, self.height) != (other.width, other.height):
            return f"sizes {self.width}x{self.height} and {other.width}x{other.height}"
        if self.rgb == other.rgb:
            return None
        count, first = 0, None
        for i in range(0, len(self.rgb), 3):
            if self.rgb[i : i + 3] != other.rgb[i : i + 3]:
                count += 1
                if first is None:
                    first = i // 3
        y, x = divmod(first, self.width)
        a, b = self.rgb[first * 3 : first * 3 + 3].hex(), other.rgb[first * 3 : first * 3 + 3].hex()
        return f"{count} pixels differ, the first at ({x},{y}): {a} against {b}"


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    if not fields:
        raise Failure(f"{path}: not a binary PPM")
    width, height = int(fields.group(1)), int(fields.group(2))
    return Image(width, height, data[fields.end() : fields.end() + width * height * 3])


def _unfilter(kind, row, prior, bpp):
    row = bytearray(row)
    if kind == 1:
        for i in range(bpp, len(row)):
            row[i] = (row[i] + row[i - bpp]) & 0xFF
    elif kind == 2:
        row = bytearray((a + b) & 0xFF for a, b in zip(row, prior))
    elif kind == 3:
        for i in range(len(row)):
            left = row[i - bpp] if i >= bpp else 0
            row[i] = (row[i] + ((left + prior[i]) >> 1)) & 0xFF
    elif kind == 4:
        for i in range(len(row)):
            a = row[i - bpp] if i >= bpp else 0
            b = prior[i]
            c = prior[i - bpp] if i >= bpp else 0
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
    return row


def read_png(path):
    """8-bit RGB or RGBA, not interlaced: what the toolbox writes."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise Failure(f"{path}: not a PNG")
    pos, idat, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        body = data[pos + 8 : pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise Failure(f"{path}: PNG of a kind not read here")
    bpp = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(idat))
    stride = width * bpp
    prior = bytearray(stride)
    rows = []
    for y in range(height):
        start = y * (stride + 1)
        prior = _unfilter(raw[start], raw[start + 1 : start + 1 + stride], prior, bpp)
        rows.append(bytes(prior) if bpp == 3 else bytes(b for i, b in enumerate(prior) if i % 4 != 3))
    return Image(width, height, b"".join(rows))


def write_png(path, image):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    stride = image.width * 3
    raw = b"".join(b"\0" + image.rgb[y * stride : (y + 1) * stride] for y in range(image.height))
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# ------------------------------------------------------------------- guest
class Guest:
    """QEMU with its serial console and QMP on unix sockets."""

    def __init__(self, args, work):
        self.work = work
        self.serial_path = os.path.join(work, "serial.sock")
        self.qmp_path = os.path.join(work, "qmp.sock")
        self.transcript = []
        self.log = open(os.path.join(work, "serial.log"), "w")
        self.pending = b""
        command = [
            "qemu-system-ppc", "-M", args.machine, "-cpu", args.cpu, "-m", "256",
            "-kernel", args.kernel, "-initrd", args.initrd, "-append", "console=ttyPZ0",
            "-vga", "none", "-device", "VGA,romfile=", "-usb", "-device", "usb-tablet",
            "-display", "none", "-nic", "none", "-no-reboot", "-S", "-monitor", "none",
            "-chardev", f"socket,id=console,path={self.serial_path},server=on,wait=off",
            "-serial", "chardev:console",
            "-qmp", f"unix:{self.qmp_path},server=on,wait=off",
        ]  # fmt: skip
        self.qemu = subprocess.Popen(command, stdin=subprocess.DEVNULL)
        self.serial = self._connect(self.serial_path)
        self.qmp = self._connect(self.qmp_path)
        self.qmp_file = self.qmp.makefile("rwb")
        self._qmp_reply()  # the greeting
        self.command("qmp_capabilities")
        self.command("cont")
        self.width, self.height = 0, 0

    def _connect(self, path):
        deadline = time.monotonic() + 20
        while True:
            try:
                s = socket.socket(socket.AF_UNIX)
                s.connect(path)
                return s
            except OSError:
                if time.monotonic() > deadline or self.qemu.poll() is not None:
                    raise Failure(f"QEMU's socket {path} did not open")
                time.sleep(0.05)

    def _qmp_reply(self):
        while True:
            line = self.qmp_file.readline()
            if not line:
                raise Failure("QEMU closed its monitor")
            reply = json.loads(line)
            if "event" not in reply:
                return reply

    def command(self, name, **arguments):
        self.qmp_file.write(json.dumps({"execute": name, "arguments": arguments}).encode() + b"\n")
        self.qmp_file.flush()
        reply = self._qmp_reply()
        if "error" in reply:
            raise Failure(f"QMP {name}: {reply['error']}")
        return reply.get("return")

    # Serial lines, each kept in the transcript between KORV-BEGIN and KORV-END.
    def line(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise Failure(f"no line from the guest within {timeout:.0f} s (see {self.log.name})")
            self.serial.settimeout(left)
            try:
                data = self.serial.recv(4096)
            except socket.timeout:
                continue
            if not data:
                raise Failure(f"the guest's console closed (see {self.log.name})")
            self.pending += data
        raw, self.pending = self.pending.split(b"\n", 1)
        text = raw.decode("utf-8", "replace").rstrip("\r")
        self.log.write(text + "\n")
        self.log.flush()
        if text.startswith("KORV-BEGIN") or self.transcript:
            self.transcript.append(text)
        return text

    def wait_for(self, pattern, timeout=STEP_TIMEOUT):
        while True:
            text = self.line(timeout)
            found = re.match(pattern, text)
            if found:
                return found

    def send(self, text):
        self.serial.sendall(text.encode() + b"\n")

    def report(self, title):
        self.send(f"report {title}")
        self.wait_for(r"KORV-REPORTED$")

    # Input and the screen.
    def screen(self):
        path = os.path.join(self.work, "screen.ppm")
        self.command("screendump", filename=path)
        image = read_ppm(path)
        self.width, self.height = image.width, image.height
        return image

    def mac_screen(self, image):
        return image.crop((image.width - MAC_W) // 2, (image.height - MAC_H) // 2, MAC_W, MAC_H)

    def _axis(self, mac, size, screen):
        # The tablet's range spans the display, its ends on the first and the
        # last pixel: the least value that lands on the pixel.
        pixel = mac + (screen - size) // 2
        return -(-pixel * (TABLET_RANGE - 1) // (screen - 1))

    def _pointer(self, x, y):
        return [
            {"type": "abs", "data": {"axis": "x", "value": self._axis(x, MAC_W, self.width)}},
            {"type": "abs", "data": {"axis": "y", "value": self._axis(y, MAC_H, self.height)}},
        ]

    def _button(self, down):
        return [{"type": "btn", "data": {"down": down, "button": "left"}}]

    def move(self, x, y):
        self.command("input-send-event", events=self._pointer(x, y))

    def press(self, x, y):
        self.command("input-send-event", events=self._pointer(x, y) + self._button(True))

    def release(self, x, y):
        self.command("input-send-event", events=self._pointer(x, y) + self._button(False))

    def keys(self, *names):
        def events(down):
            return [{"type": "key", "data": {"down": down, "key": {"type": "qcode", "data": n}}} for n in names]

        self.command("input-send-event", events=events(True))
        self.command("input-send-event", events=list(reversed(events(False))))

    def _pointer_hidden(self, image, points):
        """The image with the pointer's box (16x16 from its hot spot) blacked out at each point."""
        rgb = bytearray(image.rgb)
        for x, y in points:
            x += (image.width - MAC_W) // 2
            y += (image.height - MAC_H) // 2
            for row in range(max(y - 1, 0), min(y + 16, image.height)):
                left, right = max(x - 1, 0), min(x + 16, image.width)
                rgb[(row * image.width + left) * 3 : (row * image.width + right) * 3] = bytes(3 * (right - left))
        return bytes(rgb)

    def settled(self, before=None, beside=None):
        """The screen once it changed from `before` (beside the pointer at
        the points `beside`, when given) and two dumps in a row agree."""
        deadline = time.monotonic() + STEP_TIMEOUT
        last = self.screen()
        old = before and (self._pointer_hidden(before, beside) if beside else before.rgb)
        while True:
            time.sleep(SETTLE_POLL)
            image = self.screen()
            if image.rgb == last.rgb and (
                before is None or (self._pointer_hidden(image, beside) if beside else image.rgb) != old
            ):
                return image
            if time.monotonic() > deadline:
                raise Failure("the guest's screen did not settle")
            last = image

    def close(self, failed):
        """Waits for the guest to power off, or ends QEMU after a failure."""
        try:
            if failed:
                self.qemu.kill()
            self.qemu.wait(timeout=STEP_TIMEOUT)
        except subprocess.TimeoutExpired:
            self.qemu.kill()
            self.qemu.wait()
            raise Failure("QEMU did not power off")
        finally:
            self.log.close()


# -------------------------------------------------------------------- host
def host_machine(bin_dir, folder, machine, values):
    """A simulated Macintosh with the guest's values."""
    macsim = os.path.join(bin_dir, "macsim")
    env = dict(os.environ, MACSIM_MACHINE=folder)

    def run(*words):
        done = subprocess.run([macsim, *words], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        if done.returncode != 0:
            raise Failure(f"macsim {' '.join(words)}: {done.stderr.strip()}")

    run("create", "--preset", PRESETS[machine])
    run("kext", "load")
    registers = values["registers"]
    run(
        "set",
        f"rom-hid0={registers['HID0']}",
        f"rom-l2cr={registers['L2CR']}",
        f"model={values['model']}",
        f"cpu-hz={values['cpu-hz']}",
        f"bus-hz={values['bus-hz']}",
        f"gestalt-mach={MACHINE_TYPES[machine]}",
        f"pvr={registers['PVR']}",
        f"hid0={registers['HID0']}",
        f"hid1={registers['HID1']}",
        f"l2cr={registers['L2CR']}",
        f"def-l2cr={registers['DefL2CR']}",
        f"temp={registers['Temp']}",
    )
    return env


def host_screens(bin_dir, env, scripts, work):
    """The Mac screens a headless Tarnwick X shows after each step's script;
    it quits with Command-Q at the end."""
    script, shots = [], []
    for i, lines in enumerate(scripts):
        script += lines
        shots.append(os.path.join(work, f"host-{i}.png"))
        script.append(f"snapshot {shots[-1]}")
    script.append("key cmd q")
    script_path = os.path.join(work, "host.script")
    with open(script_path, "w") as f:
        f.write("\n".join(script) + "\n")
    env = dict(env, MACSIM_DISPLAY="headless", MACSIM_SCRIPT=script_path)
    done = subprocess.run([os.path.join(bin_dir, "tarnwick-x")], env=env, capture_output=True, text=True)
    if done.returncode != 0:
        raise Failure(f"the host's Tarnwick X ended with status {done.returncode}: {done.stderr}")
    return [read_png(p) for p in shots]


def host_after_boot(bin_dir, env):
    """The saved preferences, and the registers once the simulated machine
    booted and its startup item applied them."""
    with open(os.path.join(env["MACSIM_MACHINE"], "disk", PREFS), "rb") as f:
        prefs = f.read()
    subprocess.run([os.path.join(bin_dir, "macsim"), "boot"], env=env, check=True)
    words = {}
    for name in ("hid0", "l2cr"):
        done = subprocess.run([os.path.join(bin_dir, "macsim"), "get", name], env=env, capture_output=True, text=True)
        words[name] = int(done.stdout, 0)
    return prefs, words


def parse_registers(text):
    return {name: value for name, value in re.findall(r"(\w+)=(\S+)", text)}


# ------------------------------------------------------------------- steps
# Each step: what is done, the same on the guest and in the host's script,
# then the pointer rests off the window, the window's areas are compared and
# the guest reports its registers. On the guest every action waits for the
# screen to change and settle, as a person waits to see a click take: a
# pointer moved away before the program saw the click would make it no click.
# Buttons and boxes are clicked on their titles, away from what changes.
TAB = {"System Profile": (194, 80), "Tarnwick": (266, 80), "Other": (321, 80), "Info": (365, 80)}
POPUP = (348, 148)  # the ratio pop-up; its items 16 pixels apart
STEPS = [
    ("System Profile tab", []),
    ("Tarnwick tab", [("click", *TAB["Tarnwick"])]),
    ("Other tab", [("click", *TAB["Other"])]),
    ("Info tab", [("click", *TAB["Info"])]),
    ("ratio 5:2", [("click", *TAB["Tarnwick"]), ("press", *POPUP), ("release", POPUP[0], POPUP[1] + 16)]),
    ("backside cache Off", [("click", 330, 187)]),
    ("speculative access Off", [("click", *TAB["Other"]), ("click", 330, 138), ("click", 300, 154)]),
]


def host_script(actions):
    return [f"{kind} {x} {y}" for kind, x, y in actions] + [f"move {REST[0]} {REST[1]}"]


def play(guest, actions, screen):
    """On the guest: a click shows when the program drew something beside
    the pointer; a move, when the pointer moved."""
    pointer = REST
    for kind, x, y in actions + [("move", *REST)]:
        if kind == "click":
            guest.press(x, y)
            guest.release(x, y)
        else:
            getattr(guest, kind)(x, y)
        screen = guest.settled(screen, None if kind == "move" else [pointer, (x, y)])
        pointer = (x, y)
    return screen


def window_area(image, desktop):
    """The box around every pixel below the menu bar that is not desktop."""
    left, top, right, bottom = image.width, image.height, 0, 0
    pixel = bytes.fromhex(desktop)
    for y in range(20, image.height):
        row = image.rgb[y * image.width * 3 : (y + 1) * image.width * 3]
        xs = [x for x in range(image.width) if row[x * 3 : x * 3 + 3] != pixel]
        if xs:
            left, right = min(left, xs[0]), max(right, xs[-1] + 1)
            top, bottom = min(top, y), y + 1
    return left, top, right, bottom


def without_pointer(image, desktop):
    """The guest's screen with the resting pointer (an arrow, at most 16x16 from its hot spot) as desktop."""
    rgb = bytearray(image.rgb)
    for y in range(REST[1] - 1, min(REST[1] + 16, image.height)):
        left, right = REST[0] - 1, min(REST[0] + 16, image.width)
        rgb[(y * image.width + left) * 3 : (y * image.width + right) * 3] = bytes.fromhex(desktop) * (right - left)
    return Image(image.width, image.height, rgb)


def compare(name, guest_screen, host_screen, work):
    desktop = host_screen.rgb[(400 * MAC_W + 4) * 3 : (400 * MAC_W + 5) * 3].hex()
    guest_screen = without_pointer(guest_screen, desktop)
    boxes = [window_area(image, desktop) for image in (guest_screen, host_screen)]
    left, top = min(b[0] for b in boxes), min(b[1] for b in boxes)
    right, bottom = max(b[2] for b in boxes), max(b[3] for b in boxes)
    if right <= left:
        return f"{name}: no window on the screen"
    difference = guest_screen.crop(left, top, right - left, bottom - top).first_difference(
        host_screen.crop(left, top, right - left, bottom - top)
    )
    if difference:
        stem = os.path.join(work, re.sub(r"\W+", "-", name))
        write_png(stem + ".guest.png", guest_screen)
        write_png(stem + ".host.png", host_screen)
        return f"{name}: the window ({left},{top})-({right},{bottom}) differs: {difference} ({stem}.*.png)"
    return None


def main():
    parser = argparse.ArgumentParser()
    for name in ("machine", "cpu", "kernel", "initrd", "bin", "work", "expected"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--update-expected", action="store_true")
    args = parser.parse_args()
    work = os.path.abspath(args.work)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    started = time.monotonic()
    guest = Guest(args, work)
    problems = []
    failed = True
    try:
        guest.wait_for(r"KORV-BEGIN", 120)
        found = guest.wait_for(r"machine: model=(.*?) compatible=.*? cpu-hz=(\d+) bus-hz=(\d+)$")
        values = dict(zip(("model", "cpu-hz", "bus-hz"), found.groups()))
        values["registers"] = parse_registers(guest.wait_for(r"registers:(.*)").group(1))
        env = host_machine(args.bin, os.path.join(work, "macsim"), args.machine, values)
        host = host_screens(args.bin, env, [host_script(actions) for _, actions in STEPS], work)
        guest.wait_for(r"KORV-READY$")
        booted = time.monotonic()
        log(f"{args.machine}: Tarnwick X on the screen {booted - started:.1f} s after QEMU started")
        first = guest.settled()
        guest.move(*REST)
        screen = guest.settled(first)
        for (name, actions), expected in zip(STEPS, host):
            if actions:
                screen = play(guest, actions, screen)
            mac = guest.mac_screen(screen)
            if name == "Tarnwick tab":
                write_png(os.path.join(work, "tarnwick.png"), screen)
            problem = compare(name, mac, expected, work)
            if problem:
                problems.append(problem)
            guest.report(f"after {name}")
        guest.keys("ctrl", "q")
        saved = bytes.fromhex(guest.wait_for(r"prefs \(\d+ bytes\):(.*)").group(1))
        guest.wait_for(r"Korvendale Startup: exit")
        applied = parse_registers(guest.wait_for(r"registers:(.*)").group(1))
        guest.wait_for(r"KORV-END$")
        log(f"{args.machine}: {len(STEPS)} steps and the startup item in {time.monotonic() - booted:.1f} s")
        failed = False
    finally:
        guest.close(failed)
    # What Command-Q saved, and what Korvendale Startup made of it at the
    # next power-on, as on the simulated Macintosh.
    prefs, words = host_after_boot(args.bin, env)
    if saved != prefs:
        problems.append(f"the guest saved {saved.hex()}, the simulated Macintosh {prefs.hex()}")
    for name, mask in (("L2CR", 0xFFFFFFFF), ("HID0", HID0_MANAGED)):
        guest_word, host_word = int(applied[name], 0) & mask, words[name.lower()] & mask
        if guest_word != host_word:
            problems.append(f"after the startup item {name} & 0x{mask:08X} is 0x{guest_word:08X} on the guest, "
                            f"0x{host_word:08X} on the simulated Macintosh")
    transcript = "\n".join(guest.transcript) + "\n"
    if args.update_expected:
        with open(args.expected, "w") as f:
            f.write(transcript)
        log(f"wrote {args.expected} (review it)")
    else:
        with open(args.expected) as f:
            if f.read() != transcript:
                diff = subprocess.run(["diff", "-u", args.expected, "-"], input=transcript, text=True,
                                      capture_output=True).stdout
                problems.append(f"the guest's transcript differs from {args.expected}:\n{diff}")
    if problems:
        raise Failure("\n".join(problems))


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        print(f"[screen] FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
