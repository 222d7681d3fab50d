// The text of a profile file ("[section]" headers and "key=value" lines): finding one value, and
// putting new values in while every line that is not one of ours stays as it stood.
#pragma once

#include <string>
#include <vector>

namespace zelta {

// One key of a profile file with the text of its value.
struct ProfileValue {
    const char* section;
    const char* key;
    std::string value;
};

// Text without the spaces, tabs and carriage returns around it.
std::string trimSpaces(const std::string& s);
// Section and key names are compared without regard to case, as the platform's profile files do.
bool sameName(const std::string& a, const char* b);

// The value of the first "key=value" line in a section of that name; false when there is none.
bool findProfileValue(const std::string& text, const char* section, const char* key, std::string& value);

// The text to write so that the file holds values (given in the order of a new file, grouped by
// section). A file that holds nothing but these keys (or nothing at all) is written afresh in
// that order. Otherwise each key's line takes the new value in place, a missing key goes at the
// end of its section, a missing section at the end of the file, and every other byte stays.
std::string profileWithValues(const std::string& text, const std::vector<ProfileValue>& values);

} // namespace zelta
