#pragma once

class TContactTree;

// Fills a tree with the built-in contact list: "Friends" and "Enemies"
// with four contacts each and their presence on the four networks, sorted,
// both groups collapsed. Each window builds its own copy when it opens.
void BuildDemoContacts(TContactTree* tree);
