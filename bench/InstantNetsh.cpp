// An instant stand-in for netsh: it does nothing and ends at once.
int main() {
    return 0;
}
