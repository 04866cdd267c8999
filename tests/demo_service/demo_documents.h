#pragma once
// Small real documents the demo hands out: a PDF of a report, written by hand with a
// correct cross-reference table, and the account archive as a ZIP file with stored
// (uncompressed) entries.
#include <string>
#include <utility>
#include <vector>

namespace vesk::demo {

// A PDF of the report: its title, then its Markdown as plain lines over as many pages as
// it needs. The discovery material is left out; text outside ASCII is approximated.
std::string reportPdf(const std::string& title, const std::string& markdown);

// A ZIP archive holding the files (name, bytes) in order.
std::string zipArchive(const std::vector<std::pair<std::string, std::string>>& files);

// The CRC-32 (ISO-HDLC) of the bytes, as ZIP files carry it.
unsigned long crc32Of(const std::string& bytes);

}  // namespace vesk::demo
