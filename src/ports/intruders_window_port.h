#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::size_t kIntruderColumnCount = 6;

// One row as the Intruders window shows it, column by column.
using IntruderRowText = std::array<std::string, kIntruderColumnCount>;

// Where the window stood and how wide its columns were, kept across runs.
struct IntrudersWindowLayout {
    int left = 0;
    int top = 0;
    std::array<int, kIntruderColumnCount> columnWidths{};
};

// The Intruders window as a whole: its list and its placement. Its other
// controls go through a DialogPort. GUI thread.
class IntrudersWindowPort {
public:
    virtual ~IntrudersWindowPort() = default;
    // False when the window could not be created; nothing then acts on it.
    virtual bool Exists() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() = 0;
    // Replaces the rows. The row of selectedAddress stays selected, else the first.
    virtual void ShowRows(std::vector<IntruderRowText> rows, const std::string& selectedAddress) = 0;
    // The first column of the selected row; empty when none is.
    virtual std::string SelectedAddress() = 0;
    virtual IntrudersWindowLayout CurrentLayout() = 0;
    virtual void ApplyLayout(const IntrudersWindowLayout& layout) = 0;
};
