// A shared library without the converter entry, for the binding's load test.
extern "C" __attribute__((visibility("default"))) int somethingElse()
{
    return 1;
}
