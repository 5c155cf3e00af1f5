#include "ExperimentEngine.h"
#include "MMControl.h"
#include "ProgramWindows.h"
#include "QtDialogs.h"
#include "QtProgramEnd.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The help command closes the main window before the help window opens;
    // the program ends only through its own commands.
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    QtProgramEnd programEnd;
    ExperimentEngine engine(processRandomSource());
    ProgramWindows windows(dialogs, programEnd, engine,
                           [] { return std::make_unique<MMControl>(); });
    windows.showMain();
    return QApplication::exec();
}
