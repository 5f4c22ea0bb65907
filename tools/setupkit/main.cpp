#include <cstdio>

int main() {
    std::puts("setupkit");
    return 0;
}
