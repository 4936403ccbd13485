#pragma once

class OvNetLosssHandle;

// Gives the connection-loss handler its GUI: the modal single-button
// message and the closing of every window. While an automatic login runs,
// messages are held back: its failure is told by the exit code alone.
class GuiLossPresenter
{
public:
    explicit GuiLossPresenter(OvNetLosssHandle &handle);

    void setQuiet(bool quiet) { m_quiet = quiet; }
    bool quiet() const { return m_quiet; }

private:
    bool m_quiet = false;
};
