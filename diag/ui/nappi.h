#pragma once
// A dialog's push button with the object name the tests find it by.
class QPushButton;
class QWidget;

// Not an auto-default button: Enter in a field of the dialog does not press it.
QPushButton* nappi(QWidget* isa, const char* nimi, const char* cp1252_teksti);
