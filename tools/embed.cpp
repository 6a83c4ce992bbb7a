// Writes a C++ source file that holds the bytes of a data file:
//   embed INPUT OUTPUT SYMBOL
// The result defines `extern const char SYMBOL[]` and `extern const std::size_t SYMBOL_size`.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: embed INPUT OUTPUT SYMBOL\n");
        return 64;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "embed: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::fprintf(stderr, "embed: cannot write %s\n", argv[2]);
        return 1;
    }
    const std::string sym = argv[3];
    std::fprintf(out, "#include <cstddef>\nextern const char %s[];\nextern const std::size_t %s_size;\n",
                 sym.c_str(), sym.c_str());
    std::fprintf(out, "const char %s[] = {", sym.c_str());
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i % 20 == 0)
            std::fputc('\n', out);
        std::fprintf(out, "%d,", static_cast<int>(static_cast<signed char>(data[i])));
    }
    std::fprintf(out, "0};\nconst std::size_t %s_size = %zu;\n", sym.c_str(), data.size());
    return std::fclose(out) == 0 ? 0 : 1;
}
