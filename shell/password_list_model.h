#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/password_entry.h"

namespace tessaly {

// The list's sort order: bytes compared as unsigned; a text sorts before
// any longer text that begins with it. -1, 0 or 1.
int compareCells(std::string_view a, std::string_view b);

// The password list the main window holds: its entries in display order, and
// whether they changed since the list was last loaded or saved. Every change
// goes through here, so the flag can be trusted. The passwords wipe
// themselves as entries move, leave or are replaced.
class PasswordList {
public:
    static constexpr size_t kColumns = 3;

    PasswordList() = default;
    PasswordList(const PasswordList&) = delete;
    PasswordList& operator=(const PasswordList&) = delete;

    const std::vector<PasswordEntry>& entries() const { return entries_; }
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // Cell `column` (0 the user name, 1 the password, 2 the description) of
    // `row`; empty past the end.
    std::string_view cell(size_t row, size_t column) const;

    bool modified() const { return modified_; }
    // The list now holds what its file holds (loaded or saved).
    void markUnmodified() { modified_ = false; }
    // What a list put back as it was before (a cancelled load) had.
    void markModified() { modified_ = true; }

    // Each of these marks the list modified when it changes it.
    void add(const PasswordEntry& entry);
    void add(const PasswordEntry* first, size_t count);
    // False when there is no such row.
    bool replace(size_t row, const PasswordEntry& entry);
    // Rows in any order; repeated rows and rows past the end count once and
    // not at all. Tells how many went.
    size_t remove(const std::vector<size_t>& rows);

    // Empties the list, giving its memory back at once, unmodified: what New
    // and a load start from.
    void clear();

    // Sorts by the first `cellLength` bytes of `column`'s cells, equal cells
    // keeping their order, and tells where each row went: moved[old] is its
    // new row. The entries stay what they were, and so does the flag.
    std::vector<size_t> sortBy(size_t column, bool ascending, size_t cellLength);

    // The row Find shows next: the first after `selected` (from the top with
    // none) whose user name or description holds `wanted`, letters compared
    // without regard to case, going round to `selected` itself last.
    // Passwords are never searched.
    std::optional<size_t> findNext(std::string_view wanted, std::optional<size_t> selected) const;

private:
    std::vector<PasswordEntry> entries_;
    bool modified_ = false;
};

}  // namespace tessaly
