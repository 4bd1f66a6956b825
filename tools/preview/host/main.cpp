#include "InterruptCleanup.h"
#include "PreviewApp.h"

#include <cstdio>

int main(int argc, char** argv) {
    preview::InstallInterruptCleanup();
    return preview::RunPreview(argc, argv, stdout, stderr);
}
