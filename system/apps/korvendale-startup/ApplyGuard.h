// What keeps one bad setting from hanging the machine at every boot: a file
// on disk says while the registers are being written, so that the boot after
// a hang finds it and writes nothing; and a boot argument that writes nothing
// for one boot, for a user who cannot get in at all.
#pragma once

// True when the boot arguments (kern.bootargs) hold the word korvendale.skip.
bool SkipRequestedAtBoot();

// True when the file of an apply is there: the last one never finished.
bool LastApplyNeverFinished();

// Makes the file, flushed to the disk; false when it could not be made.
bool RecordApplying();

// Removes it, flushed to the disk; false when it could not be removed.
bool ForgetApplying();

// One line on standard error for each outcome that leaves the settings
// unapplied, naming the file where one is involved.
void ReportSkipped();
void ReportLastApplyUnfinished();
