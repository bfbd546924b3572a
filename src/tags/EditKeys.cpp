#include "tags/EditKeys.h"

namespace editkeys {
Command onKeyUp(int keyCode, int shift)
{
    if (shift != 2)
        return Command::None;
    static constexpr struct {
        int key;
        Command command;
    } table[] = {{'N', Command::New},  {'O', Command::Open},   {'D', Command::Discard},
                 {'S', Command::Save}, {'R', Command::SaveAs}, {'F', Command::Search},
                 {'B', Command::Colour}, {'A', Command::SelectAll}, {'P', Command::ShowInBrowser},
                 {'G', Command::GoToLine}};
    for (const auto &row : table)
        if (keyCode == row.key)
            return row.command;
    return Command::None;
}
} // namespace editkeys
