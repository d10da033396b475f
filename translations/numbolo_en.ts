<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="el">
<context>
    <name>Announce</name>
    <message>
        <source> και </source>
        <translation> and </translation>
    </message>
    <message>
        <source>Δεν απομένει κανένας αριθμός στόχος.</source>
        <translation>No target numbers are left.</translation>
    </message>
    <message>
        <source>Απομένει ο αριθμός στόχος %1.</source>
        <translation>Target number %1 is left.</translation>
    </message>
    <message>
        <source>Απομένουν οι αριθμοί στόχοι %1.</source>
        <translation>Target numbers %1 are left.</translation>
    </message>
    <message>
        <source> έως</source>
        <translation> to</translation>
    </message>
    <message>
        <source>, από \1 έως \2</source>
        <translation>, from \1 to \2</translation>
    </message>
    <message>
        <source>Απομένει 1 δευτερόλεπτο.</source>
        <translation>1 second left.</translation>
    </message>
    <message>
        <source>Απομένουν %1 δευτερόλεπτα.</source>
        <translation>%1 seconds left.</translation>
    </message>
    <message>
        <source>Απομένει %1.</source>
        <translation>%1 left.</translation>
    </message>
    <message>
        <source>Απομένουν %1.</source>
        <translation>%1 left.</translation>
    </message>
    <message>
        <source>Για να κλείσεις το παιχνίδι, πάτησε Alt και F4. Την επόμενη φορά θα ξεκινήσει νέο παιχνίδι.</source>
        <translation>To close the game, press Alt and F4. Next time a new game will start.</translation>
    </message>
    <message>
        <source>Άσκηση %1 από %2. Αριθμοί στόχοι %3. Πλήκτρα %4.</source>
        <translation>Exercise %1 of %2. Target numbers %3. Keys %4.</translation>
    </message>
    <message>
        <source>Άδεια οθόνη</source>
        <translation>Empty display</translation>
    </message>
    <message>
        <source>Η οθόνη είναι άδεια. Γράψε πρώτα μια πράξη.</source>
        <translation>The display is empty. Type a sum first.</translation>
    </message>
    <message>
        <source>. Δεν βγαίνει αποτέλεσμα. Η οθόνη έμεινε ίδια.</source>
        <translation>. That gives no result. The display stays the same.</translation>
    </message>
    <message>
        <source>Βρήκες το %1.</source>
        <translation>You found %1.</translation>
    </message>
    <message>
        <source>Βρήκες το %1, %2.</source>
        <translation>You found %1, %2.</translation>
    </message>
    <message>
        <source>Χωρίς όριο χρόνου.</source>
        <translation>No time limit.</translation>
    </message>
    <message>
        <source>Χρόνος ανά άσκηση %1.</source>
        <translation>Time per exercise %1.</translation>
    </message>
    <message>
        <source>. Δεν δουλεύει πριν αρχίσει ένα παιχνίδι.</source>
        <translation>. It does not work before a game starts.</translation>
    </message>
    <message>
        <source>. Δεν δουλεύει σε αυτή την άσκηση.</source>
        <translation>. It does not work in this exercise.</translation>
    </message>
    <message>
        <source>Το χρονόμετρο είναι ήδη σταματημένο.</source>
        <translation>The timer is already paused.</translation>
    </message>
    <message>
        <source>Το χρονόμετρο σταμάτησε.</source>
        <translation>The timer is paused.</translation>
    </message>
    <message>
        <source> Για να συνεχίσεις, πάτησε ένα ψηφίο από το 1 έως το 9.</source>
        <translation> To go on, press a digit from 1 to 9.</translation>
    </message>
    <message>
        <source>Το χρονόμετρο συνεχίζει. </source>
        <translation>The timer goes on. </translation>
    </message>
    <message>
        <source>Το παιχνίδι μηδενίστηκε. Για νέο παιχνίδι, γράψε τον αριθμό ασκήσεων και τον μέγιστο αριθμό στόχο, και πάτησε Νέα άσκηση.</source>
        <translation>The game was reset. For a new game, type the number of exercises and the largest target number, and press New exercise.</translation>
    </message>
    <message>
        <source>Τέλος του παιχνιδιού.</source>
        <translation>End of the game.</translation>
    </message>
    <message>
        <source>Αποτελέσματα %1 τοις εκατό.</source>
        <translation>Results %1 percent.</translation>
    </message>
    <message>
        <source>Λύθηκε %1 από %2 ασκήσεις.</source>
        <translation>%1 of %2 exercises solved.</translation>
    </message>
    <message>
        <source>Λύθηκαν %1 από %2 ασκήσεις.</source>
        <translation>%1 of %2 exercises solved.</translation>
    </message>
    <message>
        <source>Το παιχνίδι τελείωσε. Δεν απομένουν αριθμοί στόχοι για να παίξεις.</source>
        <translation>The game is over. No target numbers are left to play.</translation>
    </message>
    <message>
        <source> Επιτυχία!</source>
        <translation> Well done!</translation>
    </message>
    <message>
        <source> Τα πλήκτρα δεν δουλεύουν πια. </source>
        <translation> The keys do not work any more. </translation>
    </message>
    <message>
        <source>Το παιχνίδι τελείωσε. </source>
        <translation>The game is over. </translation>
    </message>
    <message>
        <source>Το παράθυρο έγινε %1.</source>
        <translation>The window is now %1.</translation>
    </message>
    <message numerus="yes">
        <source>Απομένουν %n λεπτά.</source>
        <translation>
            <numerusform>%n minute left.</numerusform>
            <numerusform>%n minutes left.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ColourDialog</name>
    <message>
        <source>Σκούρο μπλε</source>
        <translation>Dark blue</translation>
    </message>
    <message>
        <source>Σκούρο μωβ μπλε</source>
        <translation>Dark purple blue</translation>
    </message>
    <message>
        <source>Σκούρο πετρόλ</source>
        <translation>Dark teal</translation>
    </message>
    <message>
        <source>Σκούρο κεραμιδί</source>
        <translation>Dark brick red</translation>
    </message>
    <message>
        <source>Σκούρο λαδί</source>
        <translation>Dark olive</translation>
    </message>
    <message>
        <source>Σκούρο γκρι, το αρχικό χρώμα</source>
        <translation>Dark grey, the first colour</translation>
    </message>
    <message>
        <source>Επιλογή Χρώματος</source>
        <translation>Choose a Colour</translation>
    </message>
    <message>
        <source>Παλέττα</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>Κλείσιμο</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Το τωρινό χρώμα του παραθύρου.</source>
        <translation>The window&apos;s colour now.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: παιχνίδι αριθμητικής για παιδιά.</source>
        <translation>%1: an arithmetic game for children.</translation>
    </message>
    <message>
        <source>Δείχνει αυτές τις επιλογές.</source>
        <translation>Shows these options.</translation>
    </message>
    <message>
        <source>Ανοίγει το παράθυρο «Πρόοδος» με το ιστορικό του παιχνιδιού, για γονείς και δασκάλους.</source>
        <translation>Opens the &quot;Progress&quot; window with the game&apos;s history, for parents and teachers.</translation>
    </message>
    <message>
        <source>Με --progress: γράφει όλο το ιστορικό ως CSV (UTF-8) στην τυπική έξοδο, μία γραμμή ανά άσκηση. Ως --csv=targets: μία γραμμή ανά στόχο κάθε άσκησης, με τα πλήκτρα της και έναν τρόπο να φτιαχτεί.</source>
        <translation>With --progress: writes the whole history as CSV (UTF-8) to standard output, one line per exercise. As --csv=targets: one line per target of each exercise, with its keys and one way to make it.</translation>
    </message>
    <message>
        <source>ΑΡΧΕΙΟ</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Παίζει το παιδί ΟΝΟΜΑ, χωρίς να ρωτήσει ποιος παίζει, όπου τα παιδιά έχουν το καθένα το δικό του προφίλ. Με --progress: η πρόοδος αυτού του παιδιού.</source>
        <translation>Plays as the child NAME without asking who is playing, where each child has a profile of their own. With --progress: that child&apos;s progress.</translation>
    </message>
    <message>
        <source>ΟΝΟΜΑ</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Γράφει στην τυπική έξοδο τα ονόματα των παιδιών που έχουν προφίλ, ένα σε κάθε γραμμή.</source>
        <translation>Writes to standard output the names of the children who have profiles, one on each line.</translation>
    </message>
    <message>
        <source>Άγνωστη επιλογή: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>Λάθος επιλογή: %1</source>
        <translation>Wrong option: %1</translation>
    </message>
    <message>
        <source>Άγνωστο όρισμα: %1</source>
        <translation>Unknown argument: %1</translation>
    </message>
    <message>
        <source>Οι επιλογές --class και --progress δεν δίνονται μαζί.</source>
        <translation>The options --class and --progress cannot be given together.</translation>
    </message>
    <message>
        <source>Οι επιλογές --csv και --pdf δεν δίνονται μαζί.</source>
        <translation>The options --csv and --pdf cannot be given together.</translation>
    </message>
    <message>
        <source>Η επιλογή --profiles δίνεται μόνη της.</source>
        <translation>The option --profiles is given on its own.</translation>
    </message>
    <message>
        <source>Η επιλογή --profile χρειάζεται το όνομα ενός παιδιού.</source>
        <translation>The option --profile needs the name of a child.</translation>
    </message>
    <message>
        <source>Η επιλογή --pdf χρειάζεται όνομα αρχείου.</source>
        <translation>The option --pdf needs a file name.</translation>
    </message>
    <message>
        <source>Η επιλογή %1 χρειάζεται και την --progress.</source>
        <translation>The option %1 also needs --progress.</translation>
    </message>
    <message>
        <source>Ανοίγει το παράθυρο «Η τάξη» με το παιχνίδι των τάξεων που διδάσκετε, από τη βάση του σχολείου ([School]). Με --csv: το γράφει στην τυπική έξοδο, μία γραμμή ανά άσκηση με τον μαθητή και την τάξη του. Με --pdf ΑΡΧΕΙΟ: γράφει την αναφορά της τάξης στο αρχείο PDF ΑΡΧΕΙΟ.</source>
        <translation>Opens the “Class” window with the play of the classes you teach, from the school's database ([School]). With --csv: writes it to standard output, one line per exercise with the pupil and their class. With --pdf FILE: writes the class report to the PDF file FILE.</translation>
    </message>
    <message>
        <source>Με --progress: γράφει την αναφορά προόδου, όπως την τυπώνει το παράθυρο «Πρόοδος», στο αρχείο PDF ΑΡΧΕΙΟ. Με --class: την αναφορά της τάξης. Δεν χρειάζεται οθόνη.</source>
        <translation>With --progress: writes the progress report, as the “Progress” window prints it, to the PDF file FILE. With --class: the class report. No display is needed.</translation>
    </message>
    <message>
        <source>Η επιλογή --class δίνεται μόνη της, με την --csv ή με την --pdf.</source>
        <translation>The option --class is given alone, with --csv or with --pdf.</translation>
    </message>
</context>
<context>
    <name>Exercise</name>
    <message>
        <source>Το επίπεδο %1 δεν επιτρέπει την επιλογή πλήκτρων.</source>
        <translation>Level %1 does not allow choosing keys.</translation>
    </message>
    <message>
        <source>Υπερχείλιση στον υπολογισμό του ποσοστού.</source>
        <translation>Overflow while working out the percentage.</translation>
    </message>
    <message>
        <source>ΤΕΡΜΑΤΙΣΜΟΣ ΠΑΙΧΝΙΔΙΟΥ.</source>
        <translation>GAME OVER.</translation>
    </message>
    <message>
        <source>ΑΠΟΤΕΛΕΣΜΑΤΑ: %1 %</source>
        <translation>RESULTS: %1 %</translation>
    </message>
    <message>
        <source>ΕΠΙΤΥΧΙΑ!!</source>
        <translation>WELL DONE!!</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Το Numbolo άνοιξε σε άλλον υπολογιστή και το παιχνίδι συνεχίζεται εκεί. Αυτό το παράθυρο κλείνει χωρίς να αποθηκεύσει.</source>
        <translation>Numbolo was opened on another computer, and the game goes on there. This window closes without saving.</translation>
    </message>
    <message>
        <source>Ψηφίο 0</source>
        <translation>Digit 0</translation>
    </message>
    <message>
        <source>Ψηφίο 1</source>
        <translation>Digit 1</translation>
    </message>
    <message>
        <source>Ψηφίο 2</source>
        <translation>Digit 2</translation>
    </message>
    <message>
        <source>Ψηφίο 3</source>
        <translation>Digit 3</translation>
    </message>
    <message>
        <source>Ψηφίο 4</source>
        <translation>Digit 4</translation>
    </message>
    <message>
        <source>Ψηφίο 5</source>
        <translation>Digit 5</translation>
    </message>
    <message>
        <source>Ψηφίο 6</source>
        <translation>Digit 6</translation>
    </message>
    <message>
        <source>Ψηφίο 7</source>
        <translation>Digit 7</translation>
    </message>
    <message>
        <source>Ψηφίο 8</source>
        <translation>Digit 8</translation>
    </message>
    <message>
        <source>Ψηφίο 9</source>
        <translation>Digit 9</translation>
    </message>
    <message>
        <source>Διαίρεση</source>
        <translation>Divide</translation>
    </message>
    <message>
        <source>Πολλαπλασιασμός</source>
        <translation>Multiply</translation>
    </message>
    <message>
        <source>Αφαίρεση</source>
        <translation>Subtract</translation>
    </message>
    <message>
        <source>Πρόσθεση</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Υποδιαστολή</source>
        <translation>Decimal point</translation>
    </message>
    <message>
        <source>Άνοιγμα παρένθεσης</source>
        <translation>Open bracket</translation>
    </message>
    <message>
        <source>Κλείσιμο παρένθεσης</source>
        <translation>Close bracket</translation>
    </message>
    <message>
        <source>Ίσον</source>
        <translation>Equals</translation>
    </message>
    <message>
        <source>Διαγραφή τελευταίου χαρακτήρα</source>
        <translation>Delete last character</translation>
    </message>
    <message>
        <source>Παύση χρονομέτρου</source>
        <translation>Pause the timer</translation>
    </message>
    <message>
        <source>Ύψωση σε δύναμη</source>
        <translation>Raise to a power</translation>
    </message>
    <message>
        <source>Καθαρισμός</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Οθόνη πράξεων</source>
        <translation>Calculation display</translation>
    </message>
    <message>
        <source>Χρονόμετρο, δευτερόλεπτα που απομένουν</source>
        <translation>Timer, seconds left</translation>
    </message>
    <message>
        <source>Τρέχουσα άσκηση</source>
        <translation>Current exercise</translation>
    </message>
    <message>
        <source>Αριθμός ασκήσεων</source>
        <translation>Number of exercises</translation>
    </message>
    <message>
        <source>Μέγιστος αριθμός στόχος</source>
        <translation>Largest target number</translation>
    </message>
    <message>
        <source>Αριθμός στόχος %1</source>
        <translation>Target number %1</translation>
    </message>
    <message>
        <source>Ο χρόνος τελείωσε... Την επόμενη φορά θα τα καταφέρεις καλύτερα.</source>
        <translation>Time is up... You will do better next time.</translation>
    </message>
    <message>
        <source>Προκειμένου κάποιοι χαρακτήρες να εμφανίζονται σωστά, το Numbolo εγκατέστησε πρόσθετες γραμματοσειρές στο σύστημά σας. Αν οι αριθμοί δεν εμφανίζονται σωστά, επανεκκινήστε το πρόγραμμα.</source>
        <translation>So that some characters show correctly, Numbolo installed extra fonts on your system. If the numbers do not show correctly, restart the program.</translation>
    </message>
    <message>
        <source>Η πρόοδος του παιχνιδιού δεν αποθηκεύτηκε.

%1
%2

Το προηγούμενο αρχείο ρυθμίσεων έμεινε όπως ήταν.</source>
        <translation>The game&apos;s progress was not saved.

%1
%2

The earlier settings file stays as it was.</translation>
    </message>
    <message>
        <source>Η πρόοδος του παιχνιδιού γράφτηκε στο αρχείο, αλλά δεν είναι βέβαιο ότι θα αντέξει μια διακοπή ρεύματος.

%1
%2</source>
        <translation>The game&apos;s progress was written to the file, but it may not survive a power cut.

%1
%2</translation>
    </message>
    <message>
        <source>Επανεκκίνηση</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Θές σίγουρα να επανεκκινήσεις το πρόγραμμα;</source>
        <translation>Do you really want to restart the program?</translation>
    </message>
    <message>
        <source>Αριθμός ασκήσεων (10-300)</source>
        <translation>Number of exercises (10-300)</translation>
    </message>
    <message>
        <source>Επιλογές</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Αριθμοί 0 -</source>
        <translation>Numbers 0 -</translation>
    </message>
    <message>
        <source>Εύρος τιμών αριθμών στόχων</source>
        <translation>Range of the target numbers</translation>
    </message>
    <message>
        <source>Ασκήσεις</source>
        <translation>Exercises</translation>
    </message>
    <message>
        <source>Σίγαση</source>
        <translation>Sound off</translation>
    </message>
    <message>
        <source>Ενεργοποίηση ήχων</source>
        <translation>Sound on</translation>
    </message>
    <message>
        <source>Αρχικοποίηση</source>
        <translation>Start again</translation>
    </message>
    <message>
        <source>Χρώμα παραθύρου προγράμματος</source>
        <translation>Colour of the program&apos;s window</translation>
    </message>
    <message>
        <source>Βοήθεια</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Περί...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Άσκηση</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Νέα άσκηση</source>
        <translation>New exercise</translation>
    </message>
    <message>
        <source>Χρονόμετρο</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Αριθμοί-Στόχοι</source>
        <translation>Target Numbers</translation>
    </message>
    <message>
        <source>Εμφάνιση εργαλείων</source>
        <translation>Show the tools</translation>
    </message>
    <message>
        <source>Απόκρυψη εργαλείων</source>
        <translation>Hide the tools</translation>
    </message>
    <message>
        <source>Επιβεβαίωση</source>
        <translation>Are you sure?</translation>
    </message>
    <message>
        <source>Θές σιγουρα να παραλείψεις την τρέχουσα άσκηση και να προχωρήσεις στην επόμενη;</source>
        <translation>Do you really want to skip this exercise and go on to the next one?</translation>
    </message>
    <message>
        <source>Στο πεδίο  &quot;Αριθμοί 0 -  &quot;, επιτρέπονται ακέραιοι αριθμοί από 100 εως 9999 ή -9999 εως -100</source>
        <translation>In the field &quot;Numbers 0 -&quot; you can type whole numbers from 100 to 9999 or from -9999 to -100</translation>
    </message>
    <message>
        <source>Ο ελάχιστος αριθμός ασκήσεων είναι 10 και ο μέγιστος 300!</source>
        <translation>The smallest number of exercises is 10 and the largest is 300!</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Κάθε προσπάθεια, για να είναι επιτυχής, θα πρέπει να ολοκληρωθει σε 3 λεπτά.</source>
        <translation>To count, each try has to be finished within 3 minutes.</translation>
    </message>
    <message>
        <source>Κάθε προσπάθεια μπορεί να πάρει όσο χρόνο χρειάζεσαι.</source>
        <translation>Each try can take as long as you need.</translation>
    </message>
    <message>
        <source>Κάθε προσπάθεια, για να είναι επιτυχής, θα πρέπει να ολοκληρωθει σε %1.</source>
        <translation>To count, each try has to be finished within %1.</translation>
    </message>
    <message>
        <source>Αφού επιλέξεις τον αριθμό ασκήσεων ,στο πεδίο </source>
        <translation>First choose how many exercises you want in the field </translation>
    </message>
    <message>
        <source>&quot;Επιλογές - Ασκήσεις&quot;</source>
        <translation>&quot;Options - Exercises&quot;</translation>
    </message>
    <message>
        <source>, και το εύρος τιμών των αριθμών με τους οποιόυς θέλεις να παίξεις   ,στο πεδίο </source>
        <translation>, and how big the numbers you want to play with can be in the field </translation>
    </message>
    <message>
        <source>&quot;Αριθμοί 0 - &quot;</source>
        <translation>&quot;Numbers 0 - &quot;</translation>
    </message>
    <message>
        <source>, πάτησε το κόκκινο βελάκι για να ξεκινήσεις. Θα δεις οτι κάποια πλήκτρα είναι ανενεργά. Με τα πλήκτρα που έχουν απομείνει θα πρέπει να κάνεις τις κατάλληλες πράξεις, ώστε τα αποτελέσματά τους να είναι ίσα με τους αριθμούς μώβ χρώματος που εμφανίστηκαν δεξιά. </source>
        <translation>. Then press the red arrow to start. You will see that some keys do not work. With the keys that are left, make sums whose results are the purple numbers that appeared on the right. </translation>
    </message>
    <message>
        <source>Βοήθεια</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Συγχαρητήρια!</source>
        <translation>Well done!</translation>
    </message>
    <message>
        <source>Επιτυχία</source>
        <translation>Success</translation>
    </message>
    <message>
        <source>Η άσκηση αυτή ολοκληρώθηκε με επιτυχία!</source>
        <translation>You finished this exercise!</translation>
    </message>
    <message>
        <source>Εντάξει</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>%1 εγγραφές παιχνιδιού δεν γράφτηκαν στο ιστορικό %2 και χάθηκαν: %3</source>
        <translation>%1 game records were not written to the history %2 and are lost: %3</translation>
    </message>
    <message>
        <source>περίμεναν περισσότερες από %1 εγγραφές</source>
        <translation>more than %1 records were waiting</translation>
    </message>
    <message>
        <source>το αρχείο κλειδώματος %1 δεν αποκτήθηκε</source>
        <translation>the lock file %1 could not be taken</translation>
    </message>
    <message>
        <source>το αρχείο %1 δεν διαγράφηκε</source>
        <translation>the file %1 could not be deleted</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Ναι</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Όχι</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Εντάξει</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Numbolo</name>
    <message>
        <source>Η αποθήκη της τάξης δεν φορτώθηκε: το παιχνίδι κρατά το ιστορικό μόνο σε αυτόν τον υπολογιστή.</source>
        <translation>The class store did not load: the game keeps its history on this computer only.</translation>
    </message>
    <message>
        <source>1 εγγραφή παιχνιδιού περιμένει να σταλεί στη βάση του σχολείου, από %1.</source>
        <translation>1 game record is waiting to be sent to the school&apos;s database, since %1.</translation>
    </message>
    <message>
        <source>%1 εγγραφές παιχνιδιού περιμένουν να σταλούν στη βάση του σχολείου, από %2.</source>
        <translation>%1 game records are waiting to be sent to the school&apos;s database, since %2.</translation>
    </message>
    <message>
        <source>Η βάση της τάξης δεν απαντά: %1</source>
        <translation>The class database does not answer: %1</translation>
    </message>
    <message>
        <source>Τάξη,Μαθητής,Προφίλ,Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,Πατήματα =,Τέλος άσκησης</source>
        <translation>Class,Pupil,Profile,Game start,Exercises,Range,Exercise,Level,Outcome,Seconds,Targets,Presses of =,Exercise end</translation>
    </message>
    <message>
        <source>Η βάση της τάξης δεν διαβάστηκε: %1</source>
        <translation>The class database could not be read: %1</translation>
    </message>
    <message>
        <source>Το CSV δεν γράφτηκε: %1</source>
        <translation>The CSV was not written: %1</translation>
    </message>
    <message>
        <source>Δεν ορίστηκε βάση του σχολείου: λείπει το database της ομάδας [School] από τις ρυθμίσεις.</source>
        <translation>No school database is set: the settings have no database in the group [School].</translation>
    </message>
    <message>
        <source>δεν βρέθηκε η μονάδα numbolo_classroom, που διαβάζει την τάξη.</source>
        <translation>the module numbolo_classroom, which reads the class, was not found.</translation>
    </message>
    <message>
        <source>Το Numbolo είναι ήδη ανοιχτό.</source>
        <translation>Numbolo is already open.</translation>
    </message>
    <message>
        <source>δεν βρέθηκε η μονάδα numbolo_progress, που δείχνει την πρόοδο.</source>
        <translation>the module numbolo_progress, which shows the progress, was not found.</translation>
    </message>
    <message>
        <source>Το database της ομάδας [School] δεν είναι σύνδεση της PostgreSQL: %1</source>
        <translation>The database of the [School] group is not a PostgreSQL connection: %1</translation>
    </message>
    <message>
        <source>Το database της ομάδας [School] έχει «;» στο %1, που δεν περνά στην PostgreSQL.</source>
        <translation>The database of the [School] group has a “;” in %1, which cannot be passed to PostgreSQL.</translation>
    </message>
</context>
<context>
    <name>ParentSettings</name>
    <message>
        <source>χωρίς όριο</source>
        <translation>no limit</translation>
    </message>
    <message>
        <source>Ρυθμίσεις για το παιδί</source>
        <translation>Settings for the child</translation>
    </message>
    <message>
        <source>&amp;Χρόνος ανά άσκηση</source>
        <translation>&amp;Time per exercise</translation>
    </message>
    <message>
        <source>Χρόνος ανά άσκηση</source>
        <translation>Time per exercise</translation>
    </message>
    <message>
        <source>Περισσότερος χρόνος, ή χωρίς όριο, για ένα παιδί που παίζει με αναγνώστη οθόνης ή με το πληκτρολόγιο, ή που χρειάζεται χρόνο</source>
        <translation>More time, or no limit, for a child who plays with a screen reader or the keyboard, or who needs time</translation>
    </message>
    <message>
        <source>Το π&amp;ληκτρολόγιο πατά τα πλήκτρα του παιχνιδιού</source>
        <translation>The &amp;keyboard presses the game&apos;s keys</translation>
    </message>
    <message>
        <source>Ψηφία, πράξεις, «=» ή Enter, Backspace για «&lt;X» και Delete για «Cl» πατούν τα πλήκτρα του παιχνιδιού, όπως ένα κλικ</source>
        <translation>Digits, operators, &quot;=&quot; or Enter, Backspace for &quot;&lt;X&quot; and Delete for &quot;Cl&quot; press the game&apos;s keys, like a click</translation>
    </message>
    <message>
        <source>Οι αλλαγές ισχύουν από το επόμενο παιχνίδι που θα ξεκινήσει.</source>
        <translation>Changes apply from the next game that starts.</translation>
    </message>
    <message>
        <source>Πρόοδος</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Η ρύθμιση δεν αποθηκεύτηκε στο αρχείο %1: %2 Φαίνονται οι ρυθμίσεις που ισχύουν.</source>
        <translation>The setting was not saved in the file %1: %2 The settings shown are the ones in force.</translation>
    </message>
    <message>
        <source>Η ρύθμιση γράφτηκε στο αρχείο %1, αλλά: %2</source>
        <translation>The setting was written to the file %1, but: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n λεπτά</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ProfileChooser</name>
    <message>
        <source>Ποιος παίζει;</source>
        <translation>Who is playing?</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Πρόοδος</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Ενότητες</source>
        <translation>Sections</translation>
    </message>
    <message>
        <source>&amp;Παιχνίδια</source>
        <translation>&amp;Games</translation>
    </message>
    <message>
        <source>&amp;Διαγράμματα</source>
        <translation>&amp;Charts</translation>
    </message>
    <message>
        <source>Πράξ&amp;εις</source>
        <translation>&amp;Operators</translation>
    </message>
    <message>
        <source>Εύ&amp;ρος</source>
        <translation>&amp;Range</translation>
    </message>
    <message>
        <source>&amp;Ημερολόγιο</source>
        <translation>Ca&amp;lendar</translation>
    </message>
    <message>
        <source>Επιλεγμένη άσκηση %1</source>
        <translation>Chosen exercise %1</translation>
    </message>
    <message>
        <source>
Επιλεγμένο παιχνίδι %1</source>
        <translation>
Chosen game %1</translation>
    </message>
    <message>
        <source>Επόμενο βήμα: %1</source>
        <translation>Next step: %1</translation>
    </message>
    <message>
        <source>Παιχνίδια, το νεότερο πρώτο</source>
        <translation>Games, newest first</translation>
    </message>
    <message>
        <source>Ημερομηνία</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Ασκήσεις</source>
        <translation>Exercises</translation>
    </message>
    <message>
        <source>Λυμένες</source>
        <translation>Solved</translation>
    </message>
    <message>
        <source>Αποτέλεσμα %</source>
        <translation>Result %</translation>
    </message>
    <message>
        <source>Εύρος</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Χρόνος παιχνιδιού</source>
        <translation>Time played</translation>
    </message>
    <message>
        <source>Χρόνος ανά άσκηση</source>
        <translation>Time per exercise</translation>
    </message>
    <message>
        <source>Ασκήσεις του παιχνιδιού</source>
        <translation>Exercises of the game</translation>
    </message>
    <message>
        <source>Άσκηση</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Επίπεδο</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Έκβαση</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>Δευτερόλεπτα</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>Στόχοι</source>
        <translation>Targets</translation>
    </message>
    <message>
        <source>Πατήματα =</source>
        <translation>Presses of =</translation>
    </message>
    <message>
        <source>Φόρτωση…</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>Οι πράξεις κάθε άσκησης καταγράφονται από αυτή την έκδοση του παιχνιδιού: θα φανούν εδώ μετά το επόμενο παιχνίδι.</source>
        <translation>The operators of each exercise are recorded from this version of the game on: they will show here after the next game.</translation>
    </message>
    <message>
        <source>Λυμένες ασκήσεις ανά πράξεις (%)</source>
        <translation>Solved exercises by operators (%)</translation>
    </message>
    <message>
        <source>Πράξεις</source>
        <translation>Operators</translation>
    </message>
    <message>
        <source>Λυμένες ασκήσεις ανά εύρος (%)</source>
        <translation>Solved exercises by range (%)</translation>
    </message>
    <message>
        <source>Καμία άσκηση δεν έχει τελειώσει ακόμη.</source>
        <translation>No exercise has ended yet.</translation>
    </message>
    <message>
        <source>&amp;Αποθήκευση CSV…</source>
        <translation>&amp;Save CSV…</translation>
    </message>
    <message>
        <source>Αποθηκεύει όλες τις ασκήσεις σε αρχείο CSV για υπολογιστικό φύλλο</source>
        <translation>Saves every exercise to a CSV file for a spreadsheet</translation>
    </message>
    <message>
        <source>Εκ&amp;τύπωση…</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <source>Τυπώνει την αναφορά προόδου σε χαρτί ή σε αρχείο PDF</source>
        <translation>Prints the progress report on paper or to a PDF file</translation>
    </message>
    <message>
        <source>&amp;Κλείσιμο</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>%1 από %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Ασκήσεις του παιχνιδιού της %1</source>
        <translation>Exercises of the game of %1</translation>
    </message>
    <message>
        <source>%1 από 8</source>
        <translation>%1 of 8</translation>
    </message>
    <message>
        <source>Αποτέλεσμα % κάθε παιχνιδιού που τελείωσε</source>
        <translation>Result % of each game that ended</translation>
    </message>
    <message>
        <source>Αποτέλεσμα % των %1 τελευταίων παιχνιδιών που τελείωσαν</source>
        <translation>Result % of the last %1 games that ended</translation>
    </message>
    <message>
        <source>%1: κανένα παιχνίδι δεν έχει τελειώσει ακόμη.</source>
        <translation>%1: no game has ended yet.</translation>
    </message>
    <message>
        <source>Λυμένες ασκήσεις ανά ημέρα</source>
        <translation>Solved exercises per day</translation>
    </message>
    <message>
        <source>Λυμένες ασκήσεις</source>
        <translation>Solved exercises</translation>
    </message>
    <message>
        <source>Το αρχείο %1 δεν αποθηκεύτηκε: %2</source>
        <translation>The file %1 was not saved: %2</translation>
    </message>
    <message>
        <source>Ρ&amp;υθμίσεις</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>Πρόοδος στο Numbolo</source>
        <translation>Progress in Numbolo</translation>
    </message>
    <message>
        <source>Εκτύπωση</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Αποθήκευση CSV</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>numbolo-πρόοδος.csv</source>
        <translation>numbolo-progress.csv</translation>
    </message>
    <message>
        <source>Αρχεία CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Το ιστορικό αποθηκεύτηκε στο αρχείο %1.</source>
        <translation>The history was saved in the file %1.</translation>
    </message>
    <message>
        <source>Το ιστορικό αποθηκεύτηκε στο αρχείο %1, στον προσωπικό φάκελο.</source>
        <translation>The history was saved in the file %1, in the home folder.</translation>
    </message>
    <message>
        <source>Το ιστορικό αποθηκεύτηκε στο αρχείο %1, στον φάκελο %2.</source>
        <translation>The history was saved in the file %1, in the folder %2.</translation>
    </message>
    <message>
        <source>Το παιχνίδι %1 δεν έχει καταγραφεί ακόμη στο ιστορικό.</source>
        <translation>The play %1 is not in the history yet.</translation>
    </message>
    <message>
        <source>η έξοδος CSV δεν γράφτηκε ολόκληρη.</source>
        <translation>the CSV output was not written in full.</translation>
    </message>
    <message>
        <source>%1 ώ. %2 λ.</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 λ. %2 δ.</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>el_GR</source>
        <comment>the locale whose month names the report uses</comment>
        <translation>en_GB</translation>
    </message>
    <message>
        <source>%1 δ.</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>χωρίς όριο</source>
        <translation>no limit</translation>
    </message>
    <message>
        <source>%1 λ.</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>λύθηκε</source>
        <translation>solved</translation>
    </message>
    <message>
        <source>παραλείφθηκε</source>
        <translation>skipped</translation>
    </message>
    <message>
        <source>έληξε ο χρόνος</source>
        <translation>time ran out</translation>
    </message>
    <message>
        <source>σε εξέλιξη</source>
        <translation>in progress</translation>
    </message>
    <message>
        <source>επανεκκίνηση</source>
        <translation>restarted</translation>
    </message>
    <message>
        <source>εγκαταλείφθηκε</source>
        <translation>abandoned</translation>
    </message>
    <message>
        <source>Το ιστορικό γράφτηκε από νεότερη έκδοση του προγράμματος.</source>
        <translation>The history was written by a newer version of the program.</translation>
    </message>
    <message>
        <source>Το ιστορικό δεν διαβάζεται (%1): %2</source>
        <translation>The history cannot be read (%1): %2</translation>
    </message>
    <message>
        <source>. Το Numbolo θα το φυλάξει στην άκρη, ως αντίγραφο, και θα ξεκινήσει νέο ιστορικό με το επόμενο παιχνίδι.</source>
        <translation>. Numbolo will keep it aside as a copy and start a new history with the next game.</translation>
    </message>
    <message>
        <source>Η άσκηση %1 αυτού του παιχνιδιού δεν υπάρχει στο ιστορικό.</source>
        <translation>Exercise %1 of this game is not in the history.</translation>
    </message>
    <message>
        <source>στις %1</source>
        <translation>on %1</translation>
    </message>
    <message>
        <source>από %1 έως %2</source>
        <translation>from %1 to %2</translation>
    </message>
    <message>
        <source>Δεν υπάρχει ακόμη ιστορικό: δεν έχει παιχτεί κανένα παιχνίδι σε αυτόν τον υπολογιστή. Κάθε άσκηση που τελειώνει καταγράφεται εδώ.</source>
        <translation>There is no history yet: no game has been played on this computer. Every exercise that ends is recorded here.</translation>
    </message>
    <message>
        <source>Παιχνίδια: %1. Ασκήσεις: %2, λυμένες: %3. Χρόνος παιχνιδιού: %4</source>
        <translation>Games: %1. Exercises: %2, solved: %3. Time played: %4</translation>
    </message>
    <message>
        <source>Παιχνίδια %1, ασκήσεις %2, λυμένες %3, χρόνος παιχνιδιού %4.</source>
        <translation>Games %1, exercises %2, solved %3, time played %4.</translation>
    </message>
    <message>
        <source>

Το παιχνίδι %1 δεν έχει καταγραφεί ακόμη στο ιστορικό, γιατί το ιστορικό δεν μπορούσε να γραφτεί τότε. Θα καταγραφεί στο επόμενο παιχνίδι, αν το ιστορικό μπορεί πλέον να γραφτεί.</source>
        <translation>

The play %1 is not in the history yet, because the history could not be written then. It will be recorded at the next game, if the history can be written by then.</translation>
    </message>
    <message>
        <source>καμία τιμή</source>
        <translation>no value</translation>
    </message>
    <message>
        <source>\b(\d+) ([ώλδ])\.(?: (\d+) ([λδ])\.)?</source>
        <comment>the hours, minutes and seconds of a duration text</comment>
        <translation>\b(\d+) (h|min|s)\b(?: (\d+) (min|s)\b)?</translation>
    </message>
    <message>
        <source>ώλδ</source>
        <comment>the first letters of hours, minutes and seconds</comment>
        <translation>hms</translation>
    </message>
    <message>
        <source>τοις εκατό</source>
        <translation>percent</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,Πατήματα =,Αποτέλεσμα %,Χρόνος ανά άσκηση</source>
        <translation>Game start,Exercises,Range,Exercise,Level,Outcome,Seconds,Targets,Presses of =,Result %,Time per exercise</translation>
    </message>
    <message>
        <source>Το CSV δεν γράφτηκε: %1</source>
        <translation>The CSV was not written: %1</translation>
    </message>
    <message>
        <source>Έναρξη παιχνιδιού</source>
        <translation>Game start</translation>
    </message>
    <message>
        <source>Άσκηση</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Στόχος</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Βρέθηκε</source>
        <translation>Found</translation>
    </message>
    <message>
        <source>Δευτερόλεπτα</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>Πλήκτρα</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Ένας τρόπος</source>
        <translation>One way</translation>
    </message>
    <message>
        <source>ναι</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>όχι</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Περίοδος</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Λυμένες</source>
        <translation>Solved</translation>
    </message>
    <message>
        <source>Ποσοστό</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>Διάμεσος χρόνος λύσης</source>
        <translation>Median time to solve</translation>
    </message>
    <message>
        <source>Στόχοι που δεν βρέθηκαν</source>
        <translation>Targets not found</translation>
    </message>
    <message>
        <source>Οι πιο πρόσφατες ασκήσεις με στόχους που δεν βρέθηκαν, με έναν τρόπο για τον καθένα με τα πλήκτρα της άσκησης, τις παρενθέσεις, την υποδιαστολή και το «x^y».</source>
        <translation>The latest exercises with targets not found, with one way to make each with the exercise&apos;s keys, the brackets, the decimal point and &quot;x^y&quot;.</translation>
    </message>
    <message>
        <source>Παιχνίδι της %1. %2</source>
        <translation>Game of %1. %2</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;body&gt;
&lt;h1&gt;Πρόοδος στο Numbolo&lt;/h1&gt;
</source>
        <translation>&lt;html&gt;&lt;body&gt;
&lt;h1&gt;Progress in Numbolo&lt;/h1&gt;
</translation>
    </message>
    <message>
        <source>Αναφορά της %1.</source>
        <translation>Report of %1.</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Επόμενο βήμα:&lt;/b&gt; %1&lt;/p&gt;
</source>
        <translation>&lt;p&gt;&lt;b&gt;Next step:&lt;/b&gt; %1&lt;/p&gt;
</translation>
    </message>
    <message>
        <source>Ημερολόγιο</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Μήνας</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Ημέρες</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Ποιες ημέρες</source>
        <translation>Which days</translation>
    </message>
    <message>
        <source>Ανά πράξη</source>
        <translation>By operator</translation>
    </message>
    <message>
        <source>Πράξεις</source>
        <translation>Operators</translation>
    </message>
    <message>
        <source>Ανά εύρος</source>
        <translation>By range</translation>
    </message>
    <message>
        <source>Εύρος</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Οι πίνακες δείχνουν τους τελευταίους %1 μήνες με παιχνίδι· το παράθυρο «Πρόοδος» δείχνει όλους τους μήνες.</source>
        <translation>The tables show the last %1 months with play; the &quot;Progress&quot; window shows every month.</translation>
    </message>
    <message>
        <source>

Οι στόχοι που δεν βρέθηκαν δεν διαβάστηκαν: %1</source>
        <translation>

The targets not found could not be read: %1</translation>
    </message>
    <message>
        <source>Το αρχείο %1 δεν γράφτηκε: δεν βρέθηκε καμία γραμματοσειρά για το κείμενό του.</source>
        <translation>The file %1 was not written: no font was found for its text.</translation>
    </message>
    <message>
        <source>Πρόοδος στο Numbolo</source>
        <translation>Progress in Numbolo</translation>
    </message>
    <message>
        <source>Το αρχείο %1 δεν γράφτηκε: %2</source>
        <translation>The file %1 was not written: %2</translation>
    </message>
    <message>
        <source>%1 και %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>%1 από %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις με %2 %3. Λύστε μαζί με το παιδί μερικές τέτοιες ασκήσεις και δείτε έναν τρόπο για κάθε στόχο που δεν βρέθηκε.</source>
        <translation>In recent months %1 exercises with %2 %3 were solved. Solve a few of them together with your child and look at one way for each target not found.</translation>
    </message>
    <message>
        <source>την πράξη</source>
        <translation>the operator</translation>
    </message>
    <message>
        <source>τις πράξεις</source>
        <translation>the operators</translation>
    </message>
    <message>
        <source>Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις στο εύρος %2. Λύστε μαζί με το παιδί μερικές ασκήσεις αυτού του εύρους.</source>
        <translation>In recent months %1 exercises in the range %2 were solved. Solve a few exercises of this range together with your child.</translation>
    </message>
    <message>
        <source>Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις στο εύρος %2. Λύστε μαζί με το παιδί μερικές ασκήσεις αυτού του εύρους, ή παίξτε λίγο με μικρότερο εύρος.</source>
        <translation>In recent months %1 exercises in the range %2 were solved. Solve a few exercises of this range together with your child, or play a little with a smaller range.</translation>
    </message>
    <message>
        <source>Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις. Το παιδί είναι έτοιμο για μεγαλύτερο εύρος αριθμών: αλλάξτε το «Εύρος τιμών αριθμών στόχων» στο παιχνίδι.</source>
        <translation>In recent months %1 exercises were solved. Your child is ready for a bigger range of numbers: change the &quot;Range of the target numbers&quot; in the game.</translation>
    </message>
    <message>
        <source>Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις. Συνεχίστε με το ίδιο εύρος αριθμών λίγες ημέρες ακόμη: μικρά και συχνά παιχνίδια βοηθούν περισσότερο.</source>
        <translation>In recent months %1 exercises were solved. Keep the same range of numbers for a few more days: short, frequent games help most.</translation>
    </message>
    <message>
        <source>Οι διάμεσοι χρόνοι λύσης είναι μόνο από τα παιχνίδια με χρόνο ανά άσκηση «%1», τα περισσότερα: με άλλο χρόνο ένα παιδί λύνει με άλλο ρυθμό.</source>
        <translation>The median times to solve come only from the games with a time per exercise of &quot;%1&quot;, the most of them: with another time a child solves at another pace.</translation>
    </message>
    <message>
        <source>%1 δ.</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Στόχοι της άσκησης</source>
        <translation>Targets of the exercise</translation>
    </message>
    <message>
        <source>Μετά από</source>
        <translation>After</translation>
    </message>
    <message>
        <source>Με την τιμή</source>
        <translation>With the value</translation>
    </message>
    <message>
        <source>Στόχοι της άσκησης %1</source>
        <translation>Targets of exercise %1</translation>
    </message>
    <message>
        <source>δεν βρέθηκε σύντομος τρόπος</source>
        <translation>no short way found</translation>
    </message>
    <message>
        <source>Άσκηση %1: %2 σε %3</source>
        <translation>Exercise %1: %2 in %3.</translation>
    </message>
    <message>
        <source> Οι στόχοι της δεν καταγράφηκαν: παίχτηκε πριν το ιστορικό κρατά στόχους.</source>
        <translation> Its targets were not recorded: it was played before the history kept targets.</translation>
    </message>
    <message>
        <source> Πλήκτρα: %1. Βρέθηκαν %2 από %3 στόχους.</source>
        <translation> Keys: %1. %2 of %3 targets found.</translation>
    </message>
    <message>
        <source> Δεν πατήθηκε «=».</source>
        <translation> &quot;=&quot; was not pressed.</translation>
    </message>
    <message>
        <source>κενό</source>
        <translation>empty</translation>
    </message>
    <message>
        <source> Τιμές στο «=»: %1.</source>
        <translation> Values at &quot;=&quot;: %1.</translation>
    </message>
    <message>
        <source>όλοι οι μήνες</source>
        <translation>all months</translation>
    </message>
    <message>
        <source>% λυμένες</source>
        <translation>% solved</translation>
    </message>
    <message>
        <source>Λυμένες στο σύνολο: %1. Ο πίνακας που ακολουθεί έχει τα ίδια στοιχεία ανά μήνα.</source>
        <translation>Solved in all: %1. The table below has the same figures by month.</translation>
    </message>
    <message>
        <source>Ημέρες με παιχνίδι: %1.</source>
        <translation>Days with play: %1.</translation>
    </message>
    <message>
        <source>Δεν υπάρχει παιχνίδι ούτε σήμερα ούτε χθες. %1</source>
        <translation>No play today or yesterday. %1</translation>
    </message>
    <message>
        <source>Συνεχόμενες ημέρες παιχνιδιού ως %1: %2. %3</source>
        <translation>Days in a row with play up to %1: %2. %3</translation>
    </message>
    <message>
        <source>χθες</source>
        <translation>yesterday</translation>
    </message>
    <message>
        <source>σήμερα</source>
        <translation>today</translation>
    </message>
    <message>
        <source>Ημέρες με παιχνίδι ανά μήνα</source>
        <translation>Days with play by month</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Σφάλμα εκτέλεσης %1:

%2

Το πρόγραμμα θα τερματιστεί.</source>
        <translation>Run-time error %1:

%2

The program will end.</translation>
    </message>
    <message>
        <source>Ασυμφωνία τύπων: το κείμενο &quot;%1&quot; δεν είναι αριθμός.</source>
        <translation>Type mismatch: the text &quot;%1&quot; is not a number.</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Ο σύνδεσμος του αρχείου δείχνει σε κύκλο.</source>
        <translation>The file&apos;s link points round in a circle.</translation>
    </message>
    <message>
        <source>Στη θέση του αρχείου υπάρχει φάκελος.</source>
        <translation>There is a folder where the file should be.</translation>
    </message>
    <message>
        <source>Το αρχείο δεν μπορεί να διαβαστεί ή να γραφτεί.</source>
        <translation>The file cannot be read or written.</translation>
    </message>
    <message>
        <source>Το αρχείο δεν μπορεί να γραφτεί.</source>
        <translation>The file cannot be written.</translation>
    </message>
    <message>
        <source>Ο δίσκος δεν επιβεβαίωσε ότι το αρχείο φυλάχτηκε με ασφάλεια.</source>
        <translation>The disk did not confirm that the file was kept safely.</translation>
    </message>
</context>
<context>
    <name>numbolo::ChildrenProgress</name>
    <message>
        <source>Πρόοδος</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Παι&amp;δί:</source>
        <translation>&amp;Child:</translation>
    </message>
    <message>
        <source>Παιδί</source>
        <translation>Child</translation>
    </message>
    <message>
        <source>Παιδιά</source>
        <translation>Children</translation>
    </message>
    <message>
        <source>Ό&amp;νομα:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>Όνομα</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Ει&amp;κόνα:</source>
        <translation>P&amp;icture:</translation>
    </message>
    <message>
        <source>Εικόνα</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Χωρίς εικόνα</source>
        <translation>No picture</translation>
    </message>
    <message>
        <source>&amp;Νέο παιδί</source>
        <translation>N&amp;ew child</translation>
    </message>
    <message>
        <source>&amp;Μετονομασία</source>
        <translation>Re&amp;name</translation>
    </message>
    <message>
        <source>Διαγρα&amp;φή…</source>
        <translation>&amp;Delete…</translation>
    </message>
    <message>
        <source>Το παιδί «%1» διαγράφηκε από άλλο παράθυρο.</source>
        <translation>The child &quot;%1&quot; was deleted from another window.</translation>
    </message>
    <message>
        <source>Σε αυτόν τον λογαριασμό του υπολογιστή έχει ήδη παίξει ένα παιδί. Ήταν το παιδί «%1»;

Ναι: το παιχνίδι, το ιστορικό και οι ρυθμίσεις ως τώρα γίνονται του παιδιού «%1».
Όχι: δεν φτιάχνεται προφίλ. Φτιάξτε πρώτα το προφίλ του παιδιού που έπαιζε ως τώρα.</source>
        <translation>A child has already played on this computer account. Was it the child &quot;%1&quot;?

Yes: the game, history and settings so far become the child &quot;%1&quot;&apos;s.
No: no profile is made. First make the profile of the child who has played until now.</translation>
    </message>
    <message>
        <source>Ναι</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Όχι</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Εντάξει</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Δεν φτιάχτηκε προφίλ.</source>
        <translation>No profile was made.</translation>
    </message>
    <message>
        <source>Φτιάχτηκε το προφίλ του παιδιού «%1».</source>
        <translation>The profile of the child &quot;%1&quot; was made.</translation>
    </message>
    <message>
        <source>Το παιδί λέγεται τώρα «%1».</source>
        <translation>The child is now called &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Να διαγραφεί το παιδί «%1»; Σβήνονται το παιχνίδι του, το ιστορικό του και οι ρυθμίσεις του. Αυτό δεν αναιρείται.</source>
        <translation>Delete the child &quot;%1&quot;? Their game, history and settings are erased. This cannot be undone.</translation>
    </message>
    <message>
        <source>Το παιδί «%1» διαγράφηκε.</source>
        <translation>The child &quot;%1&quot; was deleted.</translation>
    </message>
</context>
<context>
    <name>numbolo::ClassReport</name>
    <message>
        <source>Οι στόχοι που η τάξη έχασε πιο συχνά</source>
        <translation>The targets the class missed most often</translation>
    </message>
    <message>
        <source>Κανένας στόχος δεν χάθηκε τις τελευταίες %1 εβδομάδες.</source>
        <translation>No target was missed in the last %1 weeks.</translation>
    </message>
    <message>
        <source>Από τις τελευταίες %1 εβδομάδες: φτιάξε κάθε στόχο με τα πλήκτρα του.</source>
        <translation>From the last %1 weeks: make each target with its keys.</translation>
    </message>
    <message>
        <source>Τάξη</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Μαθητής</source>
        <translation>Pupil</translation>
    </message>
    <message>
        <source>Προφίλ</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Αυτή την εβδομάδα</source>
        <translation>This week</translation>
    </message>
    <message>
        <source>Συνολικά</source>
        <translation>In all</translation>
    </message>
    <message>
        <source>Στόχοι που βρέθηκαν</source>
        <translation>Targets found</translation>
    </message>
    <message>
        <source>Διάμεσος χρόνος</source>
        <translation>Median time</translation>
    </message>
    <message>
        <source>Ημέρες</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Τελευταίο παιχνίδι</source>
        <translation>Last played</translation>
    </message>
    <message>
        <source>Δυσκολότερες πράξεις</source>
        <translation>Hardest operators</translation>
    </message>
    <message>
        <source>Στόχος</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Χάθηκε</source>
        <translation>Missed</translation>
    </message>
    <message>
        <source>Πλήκτρα</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Ένας τρόπος</source>
        <translation>One way</translation>
    </message>
    <message>
        <source>Η τάξη στο Numbolo</source>
        <translation>The class in Numbolo</translation>
    </message>
    <message>
        <source>Αναφορά της %1.</source>
        <translation>Report of %1.</translation>
    </message>
    <message>
        <source>Η βάση του σχολείου δεν έχει ακόμη παιχνίδι των τάξεών σας.</source>
        <translation>The school's database has no play of your classes yet.</translation>
    </message>
    <message>
        <source>Οι μαθητές</source>
        <translation>The pupils</translation>
    </message>
    <message>
        <source>Ανά πράξη και ανά εύρος</source>
        <translation>By operators and by range</translation>
    </message>
    <message>
        <source>Πράξεις ή εύρος</source>
        <translation>Operators or range</translation>
    </message>
    <message>
        <source>Λυμένες</source>
        <translation>Solved</translation>
    </message>
    <message>
        <source>Ποσοστό</source>
        <translation>Share</translation>
    </message>
</context>
<context>
    <name>numbolo::ClassWindow</name>
    <message>
        <source>Η τάξη</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Η αναφορά του μαθητή δεν διαβάστηκε: %1</source>
        <translation>The pupil's report could not be read: %1</translation>
    </message>
    <message>
        <source>Πρόοδος: %1</source>
        <translation>Progress: %1</translation>
    </message>
    <message>
        <source>Πρόοδος του μαθητή %1</source>
        <translation>Progress of pupil %1</translation>
    </message>
    <message>
        <source>Ποσοστό λυμένων ανά πράξη και ανά εύρος</source>
        <translation>Share solved by operators and by range</translation>
    </message>
    <message>
        <source>Η βάση του σχολείου δεν έχει ακόμη παιχνίδι των τάξεών σας.</source>
        <translation>The school's database has no play of your classes yet.</translation>
    </message>
    <message>
        <source>1 μαθητής.</source>
        <translation>1 pupil.</translation>
    </message>
    <message>
        <source>%1 μαθητές.</source>
        <translation>%1 pupils.</translation>
    </message>
    <message>
        <source>Enter σε μια γραμμή ανοίγει την αναφορά του μαθητή.</source>
        <translation>Enter on a row opens the pupil's report.</translation>
    </message>
    <message>
        <source>Μαθητές</source>
        <translation>Pupils</translation>
    </message>
    <message>
        <source>Οι στόχοι που η τάξη έχασε πιο συχνά τις τελευταίες %1 εβδομάδες</source>
        <translation>The targets the class missed most often in the last %1 weeks</translation>
    </message>
    <message>
        <source>κανένας τρόπος</source>
        <translation>no way</translation>
    </message>
    <message>
        <source>Αναφορά μαθητή</source>
        <translation>Pupil's report</translation>
    </message>
    <message>
        <source>Εκτύπωση φύλλου ασκήσεων…</source>
        <translation>Print worksheet…</translation>
    </message>
    <message>
        <source>Εκτύπωση φύλλου ασκήσεων</source>
        <translation>Print worksheet</translation>
    </message>
    <message>
        <source>Κλείσιμο</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Λυμένες ανά πράξη και ανά εύρος (%)</source>
        <translation>Solved by operators and by range (%)</translation>
    </message>
    <message>
        <source>Λυμένες</source>
        <translation>Solved</translation>
    </message>
    <message>
        <source>Ποσοστό</source>
        <translation>Share</translation>
    </message>
</context>
<context>
    <name>numbolo::ProfileList</name>
    <message>
        <source>Το παιχνίδι είναι ανοιχτό: κλείσε το πρώτα και δοκίμασε ξανά.</source>
        <translation>The game is open: close it first and try again.</translation>
    </message>
    <message>
        <source>Το παιδί δεν υπάρχει πια στον κατάλογο των παιδιών.</source>
        <translation>The child is no longer in the list of children.</translation>
    </message>
    <message>
        <source>Ο κατάλογος των παιδιών αλλάζει από άλλο παράθυρο: δοκίμασε ξανά σε λίγο.</source>
        <translation>The list of children is being changed in another window: try again in a moment.</translation>
    </message>
    <message>
        <source>Ο φάκελος %1 δεν μπορεί να γραφτεί.</source>
        <translation>The folder %1 cannot be written.</translation>
    </message>
    <message>
        <source>Ο κατάλογος των παιδιών %1 δεν διαβάζεται.</source>
        <translation>The list of children %1 cannot be read.</translation>
    </message>
    <message>
        <source>Ο κατάλογος των παιδιών %1 είναι χαλασμένος, και το Numbolo δεν τον αλλάζει: τα αρχεία των παιδιών μένουν όπως είναι.</source>
        <translation>The list of children %1 is damaged, and Numbolo does not change it: the children&apos;s files stay as they are.</translation>
    </message>
    <message>
        <source>Ο κατάλογος των παιδιών %1 γράφτηκε από νεότερη έκδοση του Numbolo.</source>
        <translation>The list of children %1 was written by a newer version of Numbolo.</translation>
    </message>
    <message>
        <source>Ο κατάλογος των παιδιών %1 δεν γράφτηκε: %2</source>
        <translation>The list of children %1 was not written: %2</translation>
    </message>
    <message>
        <source>δεν σβήνεται.</source>
        <translation>it cannot be removed.</translation>
    </message>
    <message>
        <source>ο δίσκος δεν επιβεβαίωσε ότι το αρχείο φυλάχτηκε.</source>
        <translation>the disk did not confirm that the file was kept.</translation>
    </message>
    <message>
        <source>Τα αρχεία %1 δεν μεταφέρθηκαν στον φάκελο του παιδιού: θα μεταφερθούν στην επόμενη αλλαγή των παιδιών ή στο επόμενο παιχνίδι.</source>
        <translation>The files %1 were not moved to the child&apos;s folder: they will be moved at the next change of the children or at the next game.</translation>
    </message>
    <message>
        <source>Δεν σβήστηκαν όλα τα αρχεία του φακέλου %1: θα σβηστούν στην επόμενη αλλαγή των παιδιών ή στο επόμενο παιχνίδι.</source>
        <translation>Not all files of the folder %1 were removed: they will be removed at the next change of the children or at the next game.</translation>
    </message>
    <message>
        <source>Ο φάκελος %1 δεν φτιάχτηκε.</source>
        <translation>The folder %1 could not be made.</translation>
    </message>
</context>
<context>
    <name>numbolo::ProfileName</name>
    <message>
        <source>Γράψε το όνομα του παιδιού.</source>
        <translation>Type the child&apos;s name.</translation>
    </message>
    <message>
        <source>Το όνομα έχει %1 χαρακτήρες: μπορεί να έχει έως %2.</source>
        <translation>The name has %1 characters: it can have up to %2.</translation>
    </message>
    <message>
        <source>Το όνομα έχει χαρακτήρες που δεν φαίνονται.</source>
        <translation>The name has characters that cannot be seen.</translation>
    </message>
    <message>
        <source>Υπάρχει ήδη παιδί με το όνομα «%1».</source>
        <translation>There is already a child called &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>numbolo::ProfilePicture</name>
    <message>
        <source>Γάτα</source>
        <translation>Cat</translation>
    </message>
    <message>
        <source>Ψάρι</source>
        <translation>Fish</translation>
    </message>
    <message>
        <source>Πουλί</source>
        <translation>Bird</translation>
    </message>
    <message>
        <source>Ήλιος</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>Αστέρι</source>
        <translation>Star</translation>
    </message>
    <message>
        <source>Καράβι</source>
        <translation>Boat</translation>
    </message>
</context>
<context>
    <name>numbolo::ProfileStart</name>
    <message>
        <source>δεν υπάρχει παιδί με το όνομα «%1»: σε αυτόν τον λογαριασμό δεν έχει φτιαχτεί κανένα προφίλ παιδιού.</source>
        <translation>there is no child called &quot;%1&quot;: no child&apos;s profile has been made on this account.</translation>
    </message>
    <message>
        <source>δεν υπάρχει παιδί με το όνομα «%1». Τα παιδιά αυτού του λογαριασμού: %2.</source>
        <translation>there is no child called &quot;%1&quot;. The children of this account: %2.</translation>
    </message>
    <message>
        <source>σε αυτόν τον λογαριασμό παίζουν τα παιδιά %1: δώσε με --profile ΟΝΟΜΑ τίνος την πρόοδο θέλεις.</source>
        <translation>the children %1 play on this account: give with --profile NAME whose progress you want.</translation>
    </message>
    <message>
        <source>η λίστα των παιδιών δεν γράφτηκε ολόκληρη.</source>
        <translation>the list of children was not written in full.</translation>
    </message>
</context>
</TS>
