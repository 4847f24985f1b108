// X-Wing Alliance's pilot roster: the pilot the game starts with (the first line of its
// CONFIG.CFG), and creating and deleting pilot files. A pilot named Luke lives in
// Luke0.plt in the game folder. The pilot dialog calls these; the list it shows is built
// in xwa_pilot_list.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The name on the first line of CONFIG.CFG (the word after "lastpilot "); empty optional
// when the file cannot be opened or read.
std::optional<std::string> ReadXwaLastPilot();

// Makes "lastpilot " and `name` the first line of CONFIG.CFG, keeping every other line,
// with CR LF line ends throughout. The new file is written beside the old one as
// CONFIG___.TMP and renamed over it. A missing CONFIG.CFG gives a file of that one line;
// one that exists but cannot be read is left as it is. False when the file could not be
// read or replaced; the last failure says why.
bool WriteXwaLastPilot(std::string_view name);

// Writes a new pilot file for `name` (cut to 11 bytes, as the new-pilot dialog cuts it),
// prepared for KZ battles when `prepare` is true. False after the message "This pilot
// name already exists" when its file exists, or "Error creating new pilot" when it cannot
// be written or the name holds a character a file name cannot hold (\ / : * ? " < > |
// or a control character) or is "." or "..". Nothing is left behind on failure.
bool CreateXwaPilot(std::string_view name, bool prepare);

// Deletes the pilot file of `name`. False after the message "Can't find pilot to delete"
// when there is none (a name a file name cannot hold never has one); false without a
// message when the file exists but cannot be deleted, the last failure saying why.
bool DeleteXwaPilot(std::string_view name);

}  // namespace vantrel
