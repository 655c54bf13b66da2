// Groups of a DXF record: scanning ASCII and binary bytes, reading values
// and splicing new values in without touching anything else.
//
// A record is the bytes from one group with code 0 up to the next one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host::dxf {

enum class Format : std::uint8_t {
    Ascii,
    Binary,    // 2-byte group codes (R13 and later)
    BinaryR12, // 1-byte group codes, 255 + 2 bytes for large codes
};

enum class ValueType : std::uint8_t { String, Double, Int16, Int32, Int64, Bool, Chunk };

ValueType valueType(int code);

extern const std::string_view kBinarySentinel; // "AutoCAD Binary DXF\r\n\x1a\0"

// One group inside a record; offsets are relative to the record's bytes.
struct Group {
    int code = 0;
    std::uint32_t begin = 0;    // first byte of the group (code line / code bytes)
    std::uint32_t valBegin = 0; // first byte of the value
    std::uint32_t valEnd = 0;   // end of the value (no line ending, no NUL)
    std::uint32_t end = 0;      // one past the group
};

// How new ASCII groups are written so they look like their neighbours.
struct AsciiStyle {
    bool crlf = false;     // line ending "\r\n"
    bool padCodes = true;  // group codes right-aligned in 3 columns
    bool padInts = true;   // 16-bit values right-aligned in 6 columns
};

// Splits record bytes into groups.  The bytes were checked when the file was
// read, so this does not fail; a malformed tail ends the list.
void scanGroups(std::string_view rec, Format fmt, std::vector<Group> &out);

// The value as text: ASCII the line as written, binary strings their bytes,
// binary numbers formatted (integers in decimal, doubles shortest form).
std::string valueText(std::string_view rec, const Group &g, Format fmt);
// The raw string bytes of a string-valued group (ASCII: the line).
std::string_view stringValue(std::string_view rec, const Group &g, Format fmt);
std::optional<long long> intValue(std::string_view rec, const Group &g, Format fmt);
std::optional<double> realValue(std::string_view rec, const Group &g, Format fmt);

// A value without its surrounding blanks (and a stray CR at its end).
std::string_view trimmed(std::string_view s);

// Parses text as an integer / a double (leading and trailing blanks allowed).
std::optional<long long> parseInt(std::string_view text);
std::optional<double> parseReal(std::string_view text);
// Parses a hexadecimal handle; nullopt when empty or not hex.
std::optional<std::uint64_t> parseHandle(std::string_view text);
std::string formatHandle(std::uint64_t handle);

// A record being edited: every edit splices bytes and rescans the groups.
class RecordEditor {
public:
    RecordEditor(std::string bytes, Format fmt, AsciiStyle style);

    const std::string &bytes() const { return m_bytes; }
    std::string takeBytes() { return std::move(m_bytes); }
    const std::vector<Group> &groups() const { return m_groups; }
    int find(int code, int from = 0) const; // index or -1

    // Replace the value of group i.  Integers keep the width of a padded
    // value; strings are the encoded bytes.
    void setString(int i, std::string_view value);
    void setInt(int i, long long value);
    void remove(int i);
    // Insert a new group before group i (i == size appends).
    void insertString(int i, int code, std::string_view value);
    void insertInt(int i, int code, long long value);

private:
    std::string encodeGroup(int code, std::string_view asciiValue, long long intVal,
                            bool isInt) const;
    void splice(std::uint32_t from, std::uint32_t to, std::string_view with);

    std::string m_bytes;
    Format m_fmt;
    AsciiStyle m_style;
    std::vector<Group> m_groups;
};

} // namespace host::dxf
