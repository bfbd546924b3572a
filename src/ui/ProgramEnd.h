#pragma once
// Ending the program at once from inside a handler: every window closes and no
// other closing handler runs. Tests observe the call instead of exiting.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram() = 0;
};

class QtProgramEnd : public ProgramEnd {
public:
    void endProgram() override;
};
