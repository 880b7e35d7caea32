// document-table <kind> <dir>: writes one kind of the end-to-end table's
// documents as <dir>/<kind>.png, with its stroke script (stroke.txt) and
// the stroke then Cancel (cancel.txt), and prints the host options that
// make the document of the PNG, one line, space-separated. For running the
// table through a host that is not linked with the tests.
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "support/DocumentTable.h"
#include "testhost/PngIO.h"

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: document-table <kind> <dir>\n";
        return 2;
    }
    const DocumentTable::Kind* kind = DocumentTable::FindKind(argv[1]);
    if (!kind) {
        std::cerr << "document-table: no kind " << argv[1] << "\n";
        return 2;
    }
    try {
        const std::string dir = argv[2];
        SquelmHost::SavePng(std::string(dir).append("/").append(kind->name).append(".png"), kind->Png());
        WriteText(dir + "/stroke.txt", DocumentTable::kStroke);
        WriteText(dir + "/cancel.txt", DocumentTable::CancelScript());
    } catch (const std::exception& e) {
        std::cerr << "document-table: " << e.what() << "\n";
        return 1;
    }
    const char* separator = "";
    for (const std::string& option : kind->options) {
        std::cout << separator << option;
        separator = " ";
    }
    std::cout << "\n";
    return 0;
}
