// The kinds of rows that profile and batch files are made of: texts, numbers, booleans, passwords, section
// headers and counted lists, each one value per line. A reader and a writer with the same calls let one row
// list serve both directions, so the two cannot drift apart.
#pragma once

#include "profile/ScheduleEntry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class cLineReader;
class cLineWriter;
class cTextList;

// Reads rows into fields. The first failure sticks in the line reader: every later row fails as well and
// leaves its field alone, so the values read before a failure stay and the others keep what they held.
class cRowReader {
public:
    explicit cRowReader(cLineReader& lines) : m_lines(lines) {}

    void Text(std::string& text);
    // Skipped without looking at it.
    void Header(std::string_view header);
    // Any number other than 0 is true.
    void Bool(bool& value);
    void Number(int& value);
    // A value outside the field's range is a format error (2002): the program never writes one, and cutting
    // it down would turn it into another, valid-looking code.
    void Number(std::uint8_t& value);
    void Number(std::uint16_t& value);
    // A field typed by one of the profile's codes (ProfileEnums.h), read as a number of the code's own type with
    // that type's range; a value without a name is kept as it is.
    template <class E>
    requires std::is_enum_v<E>
    void Code(E& value) {
        auto number = static_cast<std::underlying_type_t<E>>(value);
        Number(number);
        value = static_cast<E>(number);
    }
    // A colour is stored as the signed number of its 32 bits.
    void Color(std::uint32_t& value);
    // The scrambled digit line of a password (EncodePasswordLine / DecodePasswordLine).
    void Password(std::string& password);

    // A count line and that many entries; a count of 0 or less reads none. The count is never trusted for
    // memory: entries are taken one by one while lines are there, and a file that ends early fails with 2002.
    bool Count(int& count);
    void TextList(cTextList& list);
    // Commands and delays: an empty line is skipped (and counted), "*15" is a delay of 15 seconds ("*" and no
    // number: 0 seconds), any other line a command.
    void CommandList(cTextList& list);
    // A schedule entry with bit 31 set is stored as its negative number.
    void Schedule(std::vector<ScheduleEntry>& schedule);

    bool Ok() const;

private:
    cLineReader& m_lines;
};

// Writes rows from fields, mirroring cRowReader.
class cRowWriter {
public:
    explicit cRowWriter(cLineWriter& lines) : m_lines(lines) {}

    void Text(std::string_view text);
    void Header(std::string_view header);
    void Bool(bool value);
    void Number(std::int64_t value);
    template <class E>
    requires std::is_enum_v<E>
    void Code(E value) { Number(static_cast<std::int64_t>(value)); }
    void Color(std::uint32_t value);
    void Password(std::string_view password);
    void TextList(const cTextList& list);
    void CommandList(const cTextList& list);
    void Schedule(const std::vector<ScheduleEntry>& schedule);

private:
    cLineWriter& m_lines;
};

// The six colour rows of the preview, each a system-colour flag and a colour (block 1, block 2, forward,
// skip, delete, backward): the same in the current and the earlier profile formats. Rows is cRowReader or
// cRowWriter, View a cPreviewParameters (const for writing).
template <class Rows, class View> void PreviewColorRows(Rows& rows, View& view) {
    rows.Bool(view.Block1System);
    rows.Color(view.Block1Color);
    rows.Bool(view.Block2System);
    rows.Color(view.Block2Color);
    rows.Bool(view.ForwardSystem);
    rows.Color(view.ForwardColor);
    rows.Bool(view.SkipSystem);
    rows.Color(view.SkipColor);
    rows.Bool(view.DeleteSystem);
    rows.Color(view.DeleteColor);
    rows.Bool(view.BackwardSystem);
    rows.Color(view.BackwardColor);
}
