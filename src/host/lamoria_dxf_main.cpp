#include <cstdio>

int main()
{
    std::fputs("lamoria-dxf: not built yet\n", stderr);
    return 1;
}
