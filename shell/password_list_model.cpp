#include "shell/password_list_model.h"

#include <algorithm>
#include <numeric>

#include "shell/find_rules.h"

namespace tessaly {

int compareCells(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string_view PasswordList::cell(size_t row, size_t column) const
{
    if (row >= entries_.size()) return {};
    const PasswordEntry& entry = entries_[row];
    if (column == 1) return entry.pass;
    return column == 0 ? entry.user : entry.description;
}

void PasswordList::add(const PasswordEntry& entry)
{
    add(&entry, 1);
}

void PasswordList::add(const PasswordEntry* first, size_t count)
{
    if (count == 0) return;
    entries_.insert(entries_.end(), first, first + count);
    modified_ = true;
}

bool PasswordList::replace(size_t row, const PasswordEntry& entry)
{
    if (row >= entries_.size()) return false;
    if (entries_[row] == entry) return true;
    entries_[row] = entry;
    modified_ = true;
    return true;
}

size_t PasswordList::remove(const std::vector<size_t>& rows)
{
    std::vector<bool> gone(entries_.size(), false);
    for (size_t row : rows) {
        if (row < gone.size()) gone[row] = true;
    }
    size_t kept = 0;
    for (size_t row = 0; row < entries_.size(); ++row) {
        if (gone[row]) continue;
        if (kept != row) std::swap(entries_[kept], entries_[row]);
        ++kept;
    }
    const size_t removed = entries_.size() - kept;
    entries_.resize(kept);
    if (removed > 0) modified_ = true;
    return removed;
}

void PasswordList::clear()
{
    std::vector<PasswordEntry>().swap(entries_);
    modified_ = false;
}

std::vector<size_t> PasswordList::sortBy(size_t column, bool ascending, size_t cellLength)
{
    std::vector<size_t> order(entries_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int result = compareCells(cell(a, column).substr(0, cellLength), cell(b, column).substr(0, cellLength));
        return ascending ? result < 0 : result > 0;
    });
    std::vector<PasswordEntry> sorted;
    sorted.reserve(entries_.size());
    std::vector<size_t> moved(entries_.size());
    for (size_t at = 0; at < order.size(); ++at) {
        sorted.push_back(std::move(entries_[order[at]]));
        moved[order[at]] = at;
    }
    entries_.swap(sorted);
    return moved;
}

std::optional<size_t> PasswordList::findNext(std::string_view wanted, std::optional<size_t> selected) const
{
    return nextMatchingRow(entries_.size(), selected, [&](size_t row) {
        return containsIgnoringCase(entries_[row].user, wanted) ||
               containsIgnoringCase(entries_[row].description, wanted);
    });
}

}  // namespace tessaly
