// Stands for any library a plugin needs that is missing at run time.
int MissingDependencyAnswer()
{
    return 42;
}
