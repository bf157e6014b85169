// The KELO1000 client.
#include "app/ClientApp.h"
#include "app/ClientDlg.h"
#include "app/CommandLine.h"
#include "app/StandardParts.h"

#include <cstdio>

namespace {

CClientApp theApp;

} // namespace

int main(int argc, char** argv) {
    const CCommandLine commandLine(argc, argv);
    if (commandLine.GetAction() != CCommandLine::Action::Run) {
        return commandLine.Answer(stdout, stderr);
    }
    theApp.m_parts = MakeStandardParts([] { return theApp.m_pDialog; });
    return AfxWinMain(argc, argv);
}
