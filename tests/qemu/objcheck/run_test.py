#!/usr/bin/python3
"""objcheck.py against fixture.S, assembled as it is and with each BREAK_*
symbol: the exact findings and exit status of each."""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
AS = os.environ.get("KORV_PPC_AS", "powerpc-linux-gnu-as")


def block(*writes):
    return [f"{addr} (korv_l2_g4+{off}): mtspr {spr} stands in no preloaded block: line 0xc0 has no b back into line 0xa0 after its writes [block]" for addr, off, spr in writes]


CASES = [
    (None, 0, ["the L2 switch keeps its rules"]),
    ("ALIGN", 1, ["section .text is aligned to 32 bytes, not 4096 [page]"]),
    ("PAGE", 1, ["korv_l2_* routines span 0x0..0x10ec, more than one 4 KiB page [page]"]),
    ("NOKPROBE", 1, ["korv_l2_g4 is not in _kprobe_blacklist (_ASM_NOKPROBE_SYMBOL) [nokprobe]"]),
    ("LABEL", 1, ["korv_window_g3 is missing [labels]"]),
    ("ENTRY", 1, ["0x0044 (korv_l2_g3+0x44): mtspr 1017 (L2CR) stands in no preloaded block: "
                  "the instruction before line 0x40 (0x28, bdnz) is no unconditional b [block]"]),
    ("CHAIN", 1, block(("0x00a4", "0x38", "1008 (HID0)"), ("0x00ac", "0x40", "1017 (L2CR)"),
                       ("0x00c0", "0x54", "1017 (L2CR)"), ("0x00c8", "0x5c", "1008 (HID0)"))),
    ("STORE", 1, ["0x002c (korv_l2_g3+0x2c): a store (stw) between korv_window_g3 and the L2CR write at 0x44 [window]"]),
    ("CALL", 1, ["0x002c (korv_l2_g3+0x2c): a call (bl) between korv_window_g3 and the L2CR write at 0x44 [window]"]),
    ("MSR", 1, ["0x001c (korv_l2_g3+0x1c): no mtmsr with MSR[DR] and MSR[EE] cleared, then isync, "
                "between korv_l2_g3 and korv_flush_g3 [translation]"]),
    ("ISYNC", 1, ["0x0080 (korv_l2_g4+0x14): mtmsr is not followed by isync [translation]",
                  "0x0094 (korv_l2_g4+0x28): no mtmsr with MSR[DR] and MSR[EE] cleared, then isync, "
                  "between korv_l2_g4 and korv_flush_g4 [translation]"]),
]

failed = 0
with tempfile.TemporaryDirectory() as tmp:
    for fault, status, findings in CASES:
        defsym = ["--defsym", f"BREAK_{fault}=1"] if fault else []
        subprocess.run([AS, "-many", "-mregnames", *defsym, "-o", os.path.join(tmp, "fixture.o"),
                        os.path.join(HERE, "fixture.S")], check=True)
        run = subprocess.run([sys.executable, os.path.join(HERE, "..", "objcheck.py"), "--kprobes", "fixture.o"],
                             cwd=tmp, capture_output=True, text=True)
        expected = "".join(f"objcheck: fixture.o: {line}\n" for line in findings)
        if run.returncode != status or run.stdout != expected:
            failed += 1
            print(f"FAIL {fault or 'as written'}: exit {run.returncode} (expected {status})\n"
                  f"--- expected\n{expected}--- got\n{run.stdout}{run.stderr}")
print(f"{len(CASES) - failed} of {len(CASES)} fixture cases as expected")
sys.exit(1 if failed else 0)
