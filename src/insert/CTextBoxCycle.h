#pragma once

#include <string>

// The positioned text boxes of the Text Box command: each call gives the next of the five boxes
// (strings 131 to 135, then 131 again), so successive boxes do not cover each other. The editor
// view owns one for the program run; nothing is stored.
class CTextBoxCycle
{
public:
    // The id of the box the next call of Next() gives.
    int NextId() const { return m_nNextId; }
    // The next box's HTML; advances the cycle.
    std::string Next();

private:
    int m_nNextId = 131;
};
