// SPDX-License-Identifier: GPL-3.0-or-later
// Built only to prove that every library links together with no symbol defined
// twice; running it has nothing left to check.
int main()
{
    return 0;
}
