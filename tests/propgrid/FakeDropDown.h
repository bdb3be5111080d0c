#pragma once

#include "propgrid/CPropDropDown.h"

#include <string>
#include <utility>
#include <vector>

// Records what an item puts into its editor.
class FakeDropDown : public CPropDropDown
{
public:
    void Clear() override
    {
        entries.clear();
        selected = -1;
        editText.clear();
        ++clears;
    }
    int AddEntry(const std::string &text, std::intptr_t data) override
    {
        entries.emplace_back(text, data);
        return static_cast<int>(entries.size()) - 1;
    }
    void SelectEntry(int index) override { selected = index; }
    void SetEditText(const std::string &text) override { editText = text; }

    std::vector<std::pair<std::string, std::intptr_t>> entries;
    int selected = -1;
    std::string editText;
    int clears = 0;
};
