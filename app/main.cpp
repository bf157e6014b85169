// The KELO1000 client.
#include "app/ClientApp.h"
#include "app/VideoPlaceholder.h"

namespace {

CClientApp theApp;

} // namespace

int main(int argc, char** argv) {
    theApp.m_parts.createVideoWindow = [] { return std::make_unique<CVideoPlaceholder>(); };
    return AfxWinMain(argc, argv);
}
