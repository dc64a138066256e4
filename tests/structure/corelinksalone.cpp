// Linked with the whole core archive, Qt Core and Qt Sql alone: the build fails here
// when a core object needs a symbol of Qt Gui or Qt Widgets.
int main()
{
    return 0;
}
