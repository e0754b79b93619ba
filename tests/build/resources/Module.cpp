// The module that the resource build test files its script into.
int main() {
    return 0;
}
