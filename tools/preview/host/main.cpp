#include "PreviewApp.h"

#include <cstdio>

int main(int argc, char** argv) {
    return preview::RunPreview(argc, argv, stdout, stderr);
}
