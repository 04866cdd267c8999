#include "demo_service/demo_documents.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <sstream>

namespace vesk::demo {

namespace {

constexpr std::size_t linesPerPage = 46;
constexpr std::size_t lineWidth = 92;

// The text in ASCII for the PDF's standard font: typographic marks become their plain
// forms, anything else outside ASCII a question mark.
std::string plainText(const std::string& text) {
  std::string plain;
  for (const char* p = text.c_str(); *p; p = g_utf8_next_char(p)) {
    const gunichar c = g_utf8_get_char_validated(p, -1);
    if (c == gunichar(-1) || c == gunichar(-2)) break;
    if (c < 0x80) {
      plain.push_back(char(c));
    } else if (c == 0x2018 || c == 0x2019) {
      plain.push_back('\'');
    } else if (c == 0x201C || c == 0x201D) {
      plain.push_back('"');
    } else if (c == 0x2013 || c == 0x2014) {
      plain.push_back('-');
    } else if (c == 0x00B7) {
      plain.push_back('*');
    } else {
      plain.push_back('?');
    }
  }
  return plain;
}

std::string pdfString(const std::string& text) {
  std::string escaped = "(";
  for (const char c : text) {
    if (c == '(' || c == ')' || c == '\\') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped + ")";
}

struct PdfLine {
  std::string text;
  bool heading = false;
};

// One Markdown line as plain text: no heading marks, emphasis or link syntax; an image
// becomes its caption.
PdfLine plainLine(std::string line) {
  PdfLine plain;
  if (line.starts_with("#")) {
    plain.heading = true;
    line = line.substr(std::min(line.find_first_not_of('#'), line.size()));
  }
  for (auto at = line.find("**"); at != std::string::npos; at = line.find("**")) line.erase(at, 2);
  if (const auto image = line.find("!["); image != std::string::npos) {
    const auto close = line.find("](", image);
    if (close != std::string::npos)
      line = line.substr(0, image) + "[Image: " + line.substr(image + 2, close - image - 2) + "]";
  }
  if (const auto close = line.find('>'); line.starts_with("- <") && close != std::string::npos) {
    line.erase(close, 1);
    line.erase(2, 1);
  }
  const auto first = line.find_first_not_of(' ');
  plain.text = first == std::string::npos ? std::string() : line.substr(first);
  return plain;
}

// The report's lines as they go on the page, wrapped at a fixed width, without the
// discovery material, table rules or repeated blank lines.
std::vector<PdfLine> pageLines(const std::string& title, const std::string& markdown) {
  std::string body = markdown;
  if (const auto end = body.rfind("</discovery-answers>"); end != std::string::npos) body = body.substr(end + 20);
  std::vector<PdfLine> lines = {{title, true}, {"", false}};
  std::istringstream in(plainText(body));
  std::string raw;
  while (std::getline(in, raw)) {
    if (raw.starts_with("|---")) continue;
    PdfLine line = plainLine(raw);
    if (line.text.empty() && lines.back().text.empty()) continue;
    while (line.text.size() > lineWidth) {
      auto cut = line.text.rfind(' ', lineWidth);
      if (cut == std::string::npos || cut == 0) cut = lineWidth;
      lines.push_back({line.text.substr(0, cut), line.heading});
      line.text = line.text.substr(cut + (line.text[cut] == ' ' ? 1 : 0));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string pageContent(const std::vector<PdfLine>& lines, std::size_t first, std::size_t last) {
  std::ostringstream content;
  content << "BT\n14 TL\n56 790 Td\n";
  for (std::size_t i = first; i < last; ++i)
    content << (lines[i].heading ? "/F2 11 Tf " : "/F1 10 Tf ") << pdfString(lines[i].text) << " Tj T*\n";
  content << "ET\n";
  return content.str();
}

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string reportPdf(const std::string& title, const std::string& markdown) {
  const auto lines = pageLines(title, markdown);
  const std::size_t pages = (lines.size() + linesPerPage - 1) / linesPerPage;
  // Objects: 1 catalog, 2 page tree, 3 and 4 fonts, then a page and its content per page.
  std::vector<std::string> objects = {"", "", "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
                                      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold >>"};
  std::string kids;
  for (std::size_t page = 0; page < pages; ++page) {
    const std::size_t pageObject = objects.size() + 1;
    kids += std::to_string(pageObject) + " 0 R ";
    objects.push_back(
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R /F2 4 0 R "
        ">> >> /Contents " +
        std::to_string(pageObject + 1) + " 0 R >>");
    const std::string content =
        pageContent(lines, page * linesPerPage, std::min(lines.size(), (page + 1) * linesPerPage));
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream");
  }
  objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
  objects[1] = "<< /Type /Pages /Kids [ " + kids + "] /Count " + std::to_string(pages) + " >>";

  std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (const auto offset : offsets) {
    std::array<char, 24> entry{};
    std::snprintf(entry.data(), entry.size(), "%010zu 00000 n \n", offset);
    pdf += entry.data();
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

unsigned long crc32Of(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= std::uint8_t(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

std::string zipArchive(const std::vector<std::pair<std::string, std::string>>& files) {
  constexpr std::uint32_t dosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01, the earliest a ZIP file holds
  std::string archive;
  std::string directory;
  for (const auto& [name, bytes] : files) {
    const auto crc = std::uint32_t(crc32Of(bytes));
    const auto size = std::uint32_t(bytes.size());
    const auto offset = std::uint32_t(archive.size());
    // Local header: signature, version 2.0, flags (UTF-8 names), stored, time, date, crc, sizes, name length.
    putLittleEndian(archive, 0x04034b50, 4);
    for (const std::uint32_t field : {20u, 0x0800u, 0u, 0u, dosDate}) putLittleEndian(archive, field, 2);
    for (const std::uint32_t field : {crc, size, size}) putLittleEndian(archive, field, 4);
    putLittleEndian(archive, std::uint32_t(name.size()), 2);
    putLittleEndian(archive, 0, 2);
    archive += name + bytes;
    putLittleEndian(directory, 0x02014b50, 4);
    for (const std::uint32_t field : {20u, 20u, 0x0800u, 0u, 0u, dosDate}) putLittleEndian(directory, field, 2);
    for (const std::uint32_t field : {crc, size, size}) putLittleEndian(directory, field, 4);
    for (const std::uint32_t field : {std::uint32_t(name.size()), 0u, 0u, 0u, 0u}) putLittleEndian(directory, field, 2);
    putLittleEndian(directory, 0, 4);
    putLittleEndian(directory, offset, 4);
    directory += name;
  }
  const auto directoryOffset = std::uint32_t(archive.size());
  archive += directory;
  putLittleEndian(archive, 0x06054b50, 4);
  for (const std::uint32_t field : {0u, 0u, std::uint32_t(files.size()), std::uint32_t(files.size())})
    putLittleEndian(archive, field, 2);
  putLittleEndian(archive, std::uint32_t(directory.size()), 4);
  putLittleEndian(archive, directoryOffset, 4);
  putLittleEndian(archive, 0, 2);
  return archive;
}

}  // namespace vesk::demo
