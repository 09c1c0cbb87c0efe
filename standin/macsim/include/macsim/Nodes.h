// The register nodes of the kernel extension and the CTL_HW values, on the
// machine at machineDirectory(). Results are 0 or an errno value; a machine
// that cannot be opened is also reported once on stderr.
#pragma once

#include <cstdint>
#include <string>

namespace macsim {

// hw.KorvendalePVR, ...HID0, ...HID1, ...Temp, ...L2CR, ...DefL2CR. They exist
// only while the extension is loaded (else ENOENT). Only HID0 and L2CR take
// writes (others EPERM); each write is journalled with `program` as writer.
int readRegisterNode(const char* name, uint32_t& word);
int writeRegisterNode(const char* name, uint32_t word, const char* program);

// hw.cpufrequency, hw.busfrequency and hw.model, there loaded or not.
int readClocks(uint32_t& cpuHz, uint32_t& busHz);
int readModel(std::string& model);

// kern.bootargs: the boot-args words the machine started with (NVRAM, set
// with "macsim set boot-args=..."), empty when there are none.
int readBootArgs(std::string& text);

} // namespace macsim
