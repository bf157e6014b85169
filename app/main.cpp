// The KELO1000 client.
#include "app/ClientApp.h"
#include "app/ClientDlg.h"
#include "app/MediaVideoWindow.h"

namespace {

CClientApp theApp;

} // namespace

int main(int argc, char** argv) {
    theApp.m_parts.createVideoWindow = [] {
        return std::make_unique<CMediaVideoWindow>(*static_cast<IVideoOwner*>(theApp.m_pDialog));
    };
    return AfxWinMain(argc, argv);
}
