// The KELO1000 client.
#include "app/ClientApp.h"
#include "app/ClientDlg.h"
#include "app/StandardParts.h"

namespace {

CClientApp theApp;

} // namespace

int main(int argc, char** argv) {
    theApp.m_parts = MakeStandardParts([] { return theApp.m_pDialog; });
    return AfxWinMain(argc, argv);
}
