// Linked with the whole of one room's library: the link fails when the room
// uses code from a room it does not declare.
int main()
{
    return 0;
}
