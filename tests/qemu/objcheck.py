#!/usr/bin/python3
"""Checks the object code of the module's L2 switch (korv_l2_* routines).

    objcheck.py [--kprobes] [--objdump TOOL] FILE...

A hang or a corrupted line on a real G3 or G4 comes from the order of a few
instructions, which neither QEMU nor a review proves; this reads them from
the object file as the processor will fetch them and fails unless:

  page         every global korv_l2_* routine lies in one section aligned to
               4096 and all of them within one 4 KiB page (no TLB miss on the
               way), with no other global among them.
  nokprobe     each is listed in _kprobe_blacklist, when there is one or with
               --kprobes (the kernel has CONFIG_KPROBES).
  ftrace       none calls the ftrace hook.
  block        every mtspr 1017 (L2CR) and 1008 (HID0) in them stands in a
               preloaded block: consecutive 32-byte lines L0..Lk, entered by
               an unconditional b (the last instruction before L0 that is no
               padding) to a point of Lk after the block's writes; each Li
               (i >= 1) branches back into Li-1 after its own writes; the path
               from that entry reaches the first write through unconditional
               branches only, having fetched every line (the processor must
               not fetch a line while a write turns a cache off or locks it).
  window       from each korv_window_<name> (end of a flush) through the end of
               the line of the next mtspr 1017, no store, call or mtmsr (any
               of them would put a line in the cache being disabled).
  translation  between a routine's entry and each korv_flush_<name> (start of
               a flush), an mtmsr from mfmsr with MSR[DR] and MSR[EE] cleared,
               then isync, and no later mtmsr that may set either again.
  labels       at least one flush; each korv_flush_<name> has its
               korv_window_<name> after it, inside the routines.

Exit status 1 with one line per finding (address, routine, rule).
"""
import argparse
import re
import subprocess
import sys

L2CR, HID0 = 1017, 1008
SPR_NAMES = {L2CR: "L2CR", HID0: "HID0"}
MSR_DR, MSR_EE = 0x10, 0x8000
NOP = 0x60000000
ISYNC = 0x4C00012C
LINE = 32
PAGE = 4096
STORE_EXTRA = {"dcbz", "dcbzl", "dcba", "dcbi"}
FTRACE_HOOKS = {"_mcount", "__fentry__"}


class Insn:
    def __init__(self, addr, word, text):
        self.addr = addr
        self.word = word
        parts = text.split(None, 1)
        self.mnemonic = parts[0] if parts else ""
        self.operands = parts[1].split(",") if len(parts) > 1 else []
        self.relocs = []

    @property
    def op(self):
        return self.word >> 26

    @property
    def xo(self):
        return (self.word >> 1) & 0x3FF

    def field(self, shift):
        return (self.word >> shift) & 31

    def spr_written(self):
        if self.op == 31 and self.xo == 467:
            return self.field(16) | self.field(11) << 5
        return None

    def is_store(self):
        return self.mnemonic.startswith("st") or self.mnemonic in STORE_EXTRA

    def is_mtmsr(self):
        return self.op == 31 and self.xo == 146

    def is_branch(self):
        return self.op in (16, 18) or (self.op == 19 and self.xo in (16, 528))

    def is_call(self):
        return (self.is_branch() and self.word & 1) or self.op == 17

    def b_target(self):
        """Target of an unconditional relative b without link, else None."""
        if self.op != 18 or self.word & 3 or self.relocs:
            return None
        offset = self.word & 0x03FFFFFC
        if offset & 0x02000000:
            offset -= 0x04000000
        return self.addr + offset


class ObjectFile:
    def __init__(self, path, objdump):
        self.path = path
        run = lambda *args: subprocess.run(
            [objdump, *args, path], check=True, capture_output=True, text=True
        ).stdout
        self.sections = {}
        for m in re.finditer(r"^\s*\d+ (\S+)\s+([0-9a-f]+)\s+\S+\s+\S+\s+\S+\s+2\*\*(\d+)", run("-h"), re.M):
            self.sections[m[1]] = (int(m[2], 16), 1 << int(m[3]))
        self.symbols = []
        for m in re.finditer(r"^([0-9a-f]+) (.{7}) (\S+)\t([0-9a-f]+) (.*)$", run("-t"), re.M):
            self.symbols.append((int(m[1], 16), m[2], m[3], int(m[4], 16), m[5]))
        self.code = {}
        section = None
        last = None
        for line in run("-d", "-r", "-z").splitlines():
            m = re.match(r"Disassembly of section (\S+):", line)
            if m:
                section = self.code.setdefault(m[1], {})
                continue
            m = re.match(r"\s*([0-9a-f]+):\t((?:[0-9a-f]{2} ){4})\s*(.*)$", line)
            if m and section is not None:
                last = Insn(int(m[1], 16), int(m[2].replace(" ", ""), 16), m[3].strip())
                section[last.addr] = last
                continue
            m = re.match(r"\s*([0-9a-f]+): (R_\S+)\s+(.*)$", line)
            if m and last is not None:
                last.relocs.append((m[2], m[3].strip()))
        self.blacklist = None
        if "_kprobe_blacklist" in self.sections:
            self.blacklist = re.findall(r"^[0-9a-f]+ R_\S+\s+(\S+)$", run("-r", "-j", "_kprobe_blacklist"), re.M)


def msr_clear_mask(mb, me):
    """rlwinm's mask from bit mb to bit me (IBM numbering), complemented."""
    mask, bit = 0, mb
    while True:
        mask |= 1 << (31 - bit)
        if bit == me:
            break
        bit = (bit + 1) % 32
    return mask


class Checker:
    def __init__(self, obj, kprobes):
        self.obj = obj
        self.kprobes = kprobes
        self.findings = []
        self.routines = []  # (start, end, name, section)
        self.labels = {}  # name -> (addr, section)

    def where(self, addr):
        for start, end, name, _ in self.routines:
            if start <= addr < end:
                return f"0x{addr:04x} ({name}+0x{addr - start:x})"
        return f"0x{addr:04x}"

    def fail(self, rule, text, addr=None):
        at = f"{self.where(addr)}: " if addr is not None else ""
        self.findings.append(f"{self.obj.path}: {at}{text} [{rule}]")

    def insns(self, section, start, end):
        code = self.obj.code.get(section, {})
        return [code[a] for a in range(start, end, 4) if a in code]

    def writes(self):
        for start, end, _, section in self.routines:
            for insn in self.insns(section, start, end):
                if insn.spr_written() in SPR_NAMES:
                    yield insn, section

    # ------------------------------------------------------------ routines
    def find_routines(self):
        symbols = sorted(self.obj.symbols)
        for i, (addr, flags, section, size, name) in enumerate(symbols):
            if flags[0] == "g" and name.startswith("korv_l2_"):
                end = addr + size
                if size == 0:
                    # Without .size, up to the next function or global.
                    later = [a for a, f, s, _, _ in symbols[i + 1 :] if s == section and a > addr and (f[0] == "g" or f[6] == "F")]
                    end = min(later, default=self.obj.sections.get(section, (addr, 1))[0])
                self.routines.append((addr, end, name, section))
            elif name.startswith(("korv_window_", "korv_flush_")):
                self.labels[name] = (addr, section)
        self.routines.sort()

    def check_page(self):
        if not self.routines:
            self.fail("page", "no global korv_l2_* routine")
            return False
        sections = {r[3] for r in self.routines}
        if len(sections) > 1:
            self.fail("page", f"korv_l2_* routines in several sections: {', '.join(sorted(sections))}")
            return True
        section = sections.pop()
        align = self.obj.sections[section][1]
        if align < PAGE:
            self.fail("page", f"section {section} is aligned to {align} bytes, not {PAGE}")
        first, last = self.routines[0][0], max(r[1] for r in self.routines)
        if first // PAGE != (last - 1) // PAGE:
            self.fail("page", f"korv_l2_* routines span 0x{first:x}..0x{last:x}, more than one 4 KiB page")
        for addr, flags, where, _, name in self.obj.symbols:
            if where == section and flags[0] == "g" and first <= addr < last and not name.startswith("korv_l2_"):
                self.fail("page", f"global {name} among the korv_l2_* routines", addr)
        for start, end, name, _ in self.routines:
            for insn in self.insns(section, start, end):
                if any(target in FTRACE_HOOKS for _, target in insn.relocs):
                    self.fail("ftrace", "calls the ftrace hook", insn.addr)
            if self.blacklist is not None or self.kprobes:
                listed = self.blacklist or []
                if name not in listed and f"{section}+0x{start:08x}" not in listed:
                    self.fail("nokprobe", f"{name} is not in _kprobe_blacklist (_ASM_NOKPROBE_SYMBOL)")
        return True

    @property
    def blacklist(self):
        return self.obj.blacklist

    # -------------------------------------------------------------- blocks
    def entry_before(self, code, line):
        """The last instruction before `line` that is not padding: nops, and
        the assembler's branch over them to `line`."""
        addr = line - 4
        while addr in code and (code[addr].word == NOP or code[addr].b_target() == line):
            addr -= 4
        return code.get(addr)

    def block_problem(self, section, write, first_line, routine_start):
        code = self.obj.code[section]
        entry = self.entry_before(code, first_line)
        if entry is None or entry.addr < routine_start:
            return 0, f"no branch before line 0x{first_line:x}"
        target = entry.b_target()
        if target is None:
            return 0, f"the instruction before line 0x{first_line:x} (0x{entry.addr:x}, {entry.mnemonic}) is no unconditional b"
        write_line = write.addr & ~(LINE - 1)
        last_line = target & ~(LINE - 1)
        if not write_line <= last_line <= first_line + 8 * LINE:
            return 1, f"the b at 0x{entry.addr:x} before line 0x{first_line:x} goes to 0x{target:x}, outside the block"
        lines = range(first_line, last_line + LINE, LINE)
        block_writes = [i.addr for i in self.insns(section, first_line, last_line + LINE) if i.spr_written() in SPR_NAMES]
        if target <= max(block_writes):
            return 1, f"the b at 0x{entry.addr:x} enters at 0x{target:x}, not after the block's last write (0x{max(block_writes):x})"
        for line in lines[1:]:
            after = max([a for a in block_writes if line <= a < line + LINE], default=line - 4)
            backs = [i for i in self.insns(section, after + 4, line + LINE) if i.b_target() is not None and line - LINE <= i.b_target() < line]
            if not backs:
                return 2, f"line 0x{line:x} has no b back into line 0x{line - LINE:x} after its writes"
        # Walk the preload path: every line fetched before the first write.
        addr, seen = target, set()
        for _ in range(8 * len(lines) * LINE // 4):
            insn = code.get(addr)
            if insn is None or not first_line <= addr < last_line + LINE:
                return 2, f"the path from the b at 0x{entry.addr:x} leaves the block at 0x{addr:x} before any write"
            seen.add(addr & ~(LINE - 1))
            if insn.spr_written() in SPR_NAMES:
                missing = [f"0x{line:x}" for line in lines if line not in seen]
                if missing:
                    return 2, f"line {', '.join(missing)} is not fetched before the write at 0x{addr:x}"
                return None
            if insn.b_target() is not None:
                addr = insn.b_target()
            elif insn.is_branch() or insn.op == 17:
                return 2, f"the path from the b at 0x{entry.addr:x} meets {insn.mnemonic} at 0x{addr:x} before any write"
            else:
                addr += 4
        return 2, f"the path from the b at 0x{entry.addr:x} loops without reaching a write"

    def check_blocks(self):
        for write, section in self.writes():
            routine_start = max(r[0] for r in self.routines if r[0] <= write.addr)
            line = write.addr & ~(LINE - 1)
            problems = []
            while line >= routine_start and len(problems) < 8:
                problem = self.block_problem(section, write, line, routine_start)
                if problem is None:
                    break
                problems.append(problem)
                line -= LINE
            else:
                # The candidate that came furthest tells what is wrong.
                _, problem = max(problems, key=lambda p: p[0])
                name = SPR_NAMES[write.spr_written()]
                self.fail("block", f"mtspr {write.spr_written()} ({name}) stands in no preloaded block: {problem}", write.addr)

    # ------------------------------------------------------------- windows
    def check_labels(self):
        flushes = {n[len("korv_flush_") :] for n in self.labels if n.startswith("korv_flush_")}
        windows = {n[len("korv_window_") :] for n in self.labels if n.startswith("korv_window_")}
        if not flushes:
            self.fail("labels", "no korv_flush_<name> label: no flush is checked")
        for name in sorted(flushes ^ windows):
            half = "korv_window_" if name in flushes else "korv_flush_"
            self.fail("labels", f"{half}{name} is missing")
        for label, (addr, _) in sorted(self.labels.items()):
            if not any(s <= addr < e for s, e, _, _ in self.routines):
                self.fail("labels", f"{label} lies outside the korv_l2_* routines", addr)
        for name in sorted(flushes & windows):
            if self.labels["korv_window_" + name][0] <= self.labels["korv_flush_" + name][0]:
                self.fail("labels", f"korv_window_{name} is not after korv_flush_{name}", self.labels["korv_window_" + name][0])

    def check_windows(self):
        for label, (addr, section) in sorted(self.labels.items()):
            if not label.startswith("korv_window_"):
                continue
            code = self.obj.code.get(section, {})
            disable = next((a for a in sorted(code) if a >= addr and code[a].spr_written() == L2CR), None)
            if disable is None:
                self.fail("window", f"no mtspr 1017 (L2CR) after {label}", addr)
                continue
            for insn in self.insns(section, addr, (disable & ~(LINE - 1)) + LINE):
                what = "a store" if insn.is_store() else "a call" if insn.is_call() else None
                what = what or ("mtmsr" if insn.is_mtmsr() else None)
                if what:
                    self.fail("window", f"{what} ({insn.mnemonic}) between {label} and the L2CR write at 0x{disable:x}", insn.addr)

    # --------------------------------------------------------- translation
    def check_translation(self):
        for label, (addr, section) in sorted(self.labels.items()):
            if not label.startswith("korv_flush_"):
                continue
            starts = [r for r in self.routines if r[0] <= addr < r[1]]
            if not starts:
                continue
            start, _, routine, _ = starts[0]
            regs = {}  # register -> ("msr", bits known clear) or ("const", value)
            cleared = False
            pending = None
            for insn in self.insns(section, start, addr):
                if pending is not None and insn.word != NOP:
                    if insn.word != ISYNC:
                        self.fail("translation", "mtmsr is not followed by isync", pending.addr)
                    else:
                        cleared = True
                    pending = None
                if insn.is_mtmsr():
                    value = regs.get(insn.field(21))
                    safe = value is not None and value[0] == "msr" and value[1] & (MSR_DR | MSR_EE) == MSR_DR | MSR_EE
                    if safe:
                        pending = insn
                    elif cleared:
                        self.fail("translation", f"mtmsr may set MSR[DR] or MSR[EE] again before {label}", insn.addr)
                    continue
                self.track(insn, regs)
            if not cleared:
                self.fail("translation", f"no mtmsr with MSR[DR] and MSR[EE] cleared, then isync, between {routine} and {label}", addr)

    @staticmethod
    def track(insn, regs):
        """What an instruction leaves in its destination, as far as the MSR
        bits go; anything not understood forgets the register."""
        d, a, b = insn.field(21), insn.field(16), insn.field(11)
        op, xo, w = insn.op, insn.xo, insn.word
        get = regs.get
        out = None
        if op == 31 and xo == 83:  # mfmsr
            regs[d] = ("msr", 0)
            return
        if op == 21:  # rlwinm rA,rS,SH,MB,ME
            dest, sh, mask = a, b, msr_clear_mask((w >> 6) & 31, (w >> 1) & 31)
            src = get(d)
            if src and src[0] == "msr" and sh == 0:
                out = ("msr", src[1] | ~mask & 0xFFFFFFFF)
            elif src and src[0] == "const":
                out = ("const", ((src[1] << sh | src[1] >> (32 - sh)) & 0xFFFFFFFF) & mask)
        elif op in (14, 15):  # addi/addis (li/lis)
            dest = d
            imm = (w & 0xFFFF) - ((w & 0x8000) << 1)
            imm = imm << 16 if op == 15 else imm
            base = ("const", 0) if a == 0 else get(a)
            if base and base[0] == "const":
                out = ("const", (base[1] + imm) & 0xFFFFFFFF)
        elif op in (24, 25, 28, 29):  # ori, oris, andi., andis.
            dest, src = a, get(d)
            imm = (w & 0xFFFF) << (16 if op in (25, 29) else 0)
            if src and src[0] == "const":
                out = ("const", src[1] | imm if op in (24, 25) else src[1] & imm)
            elif src:
                out = ("msr", src[1] & ~imm if op in (24, 25) else src[1] | ~imm & 0xFFFFFFFF)
        elif op == 31 and xo in (28, 60, 444):  # and, andc, or (mr)
            dest, s, t = a, get(d), get(b)
            if xo == 444 and d == b:
                out = s
            elif s and t and s[0] == t[0] == "const":
                v = {28: s[1] & t[1], 60: s[1] & ~t[1], 444: s[1] | t[1]}[xo]
                out = ("const", v & 0xFFFFFFFF)
            elif s and s[0] == "msr" and t and t[0] == "const":
                v = {28: s[1] | ~t[1], 60: s[1] | t[1], 444: s[1] & ~t[1]}[xo]
                out = ("msr", v & 0xFFFFFFFF)
            elif xo in (28, 444) and t and t[0] == "msr" and s and s[0] == "const":
                out = ("msr", (t[1] | ~s[1] if xo == 28 else t[1] & ~s[1]) & 0xFFFFFFFF)
        else:
            m = re.fullmatch(r"r(\d+)", insn.operands[0]) if insn.operands else None
            if m:
                regs.pop(int(m[1]), None)
            return
        if out is None:
            regs.pop(dest, None)
        else:
            regs[dest] = out

    def run(self):
        self.find_routines()
        if self.check_page():
            self.check_labels()
            self.check_blocks()
            self.check_windows()
            self.check_translation()
        return self.findings


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--kprobes", action="store_true", help="the kernel has CONFIG_KPROBES")
    parser.add_argument("--objdump", default="powerpc-linux-gnu-objdump")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    findings = []
    for path in args.files:
        findings += Checker(ObjectFile(path, args.objdump), args.kprobes).run()
    for line in findings:
        print(f"objcheck: {line}")
    if not findings:
        print(f"objcheck: {', '.join(args.files)}: the L2 switch keeps its rules")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
