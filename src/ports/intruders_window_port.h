#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "intruders/attempt_chart.h"
#include "logpage/date_text.h"

inline constexpr std::size_t kIntruderColumnCount = 10;

// The columns' titles in the window's order (that of IntruderColumn); a
// saved table's first row too.
inline constexpr std::array<const char*, kIntruderColumnCount> kIntruderColumnTitles = {
    "Address", "Attempts", "First seen", "Last seen", "Protocol", "Port", "Last 24 h", "Last 7 days", "Last 30 days",
    "Ignored"};

// One row as the Intruders window shows it, column by column.
using IntruderRowText = std::array<std::string, kIntruderColumnCount>;

// Where the window stood and how wide its columns were, kept across runs; a
// negative width leaves the column as the window made it.
struct IntrudersWindowLayout {
    int left = 0;
    int top = 0;
    std::array<int, kIntruderColumnCount> columnWidths{};
};

// The Intruders window as a whole: its list, its chart, its list of ignored
// addresses and its placement. Its other controls go through a DialogPort.
// GUI thread.
class IntrudersWindowPort {
public:
    virtual ~IntrudersWindowPort() = default;
    // False when the window could not be created; nothing then acts on it.
    virtual bool Exists() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() = 0;
    // Replaces the rows. The row of selectedAddress stays selected; with
    // none there, no row is.
    virtual void ShowRows(std::vector<IntruderRowText> rows, const std::string& selectedAddress) = 0;
    // The first column of the selected row; empty when none is.
    virtual std::string SelectedAddress() = 0;
    virtual void SelectNoRow() = 0;
    // The chart draws these bars, its days' texts in the given form.
    virtual void ShowChart(const AttemptChart& chart, DateFormat format) = 0;
    virtual void ShowIgnoredEntries(const std::vector<std::string>& entries) = 0;
    // The selected entry of that list; empty when none is.
    virtual std::string SelectedIgnoredEntry() = 0;
    // The box where the user types an address to leave alone has the focus.
    virtual bool IgnoreBoxHasFocus() = 0;
    virtual IntrudersWindowLayout CurrentLayout() = 0;
    virtual void ApplyLayout(const IntrudersWindowLayout& layout) = 0;
};
